// The arguments of the pointer's event routines: the mouse-button mask (1 left, 2 right, 4 middle),
// the modifier mask (1 Shift, 2 Ctrl, 4 Alt) and positions in twips.
#pragma once

#include <Qt>

class QMouseEvent;

int buttonMask(const QMouseEvent *event);
int shiftMask(Qt::KeyboardModifiers modifiers);
float twipsX(const QMouseEvent *event);
float twipsY(const QMouseEvent *event);
