// What every window of the game shares: a fixed border the player cannot drag, and a place centred
// over its owner.
#pragma once

#include <Qt>

class QWidget;

// A title bar with its close box, and a minimise button only where asked for.
Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind, bool minimiseButton = false);

// Centres the whole window, frame included, over its owner's frame, or on the owner's screen's work
// area when it has none.
void centreWindow(QWidget *window, const QWidget *owner);
