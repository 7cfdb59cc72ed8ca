// Event arguments as the event routines take them: the mouse-button mask (1 left, 2 right,
// 4 middle), the modifier mask (1 Shift, 2 Ctrl, 4 Alt), positions in twips and key codes.
#pragma once

#include <Qt>

class QKeyEvent;
class QMouseEvent;

int buttonMask(const QMouseEvent *event);
int shiftMask(Qt::KeyboardModifiers modifiers);
float twipsX(const QMouseEvent *event);
float twipsY(const QMouseEvent *event);

// Letters and digits carry the codes of the virtual keys (Z is 90), letters by the key pressed.
int keyCode(const QKeyEvent *event);
