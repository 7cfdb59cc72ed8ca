// What every window of the game shares: a fixed border the player cannot drag, and a place centred
// over its owner.
#pragma once

#include <Qt>
#include <functional>

class QWidget;

// A title bar with its close box, and a minimise button only where asked for.
Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind, bool minimiseButton = false);

// Centres the whole window, frame included, over its owner's frame, or on the owner's screen's work
// area when it has none.
void centreWindow(QWidget *window, const QWidget *owner);

// Runs `place` now, and once more when the window manager has framed the window, so that a place
// worked out from the whole window, frame included, holds from the first showing on. Until then the
// window holds a child object named "placingWhenFramed".
void placeWhenFramed(QWidget *window, const std::function<void()> &place);
