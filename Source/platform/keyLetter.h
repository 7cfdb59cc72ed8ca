// Which letter key was pressed, by the key rather than by the character the keyboard layout gives it,
// as a virtual-key code names it: H asks the coach under a Russian or Greek layout too. Under a Latin
// layout the letter is the one on the key, so on a German keyboard Z is the key labelled Z.
#pragma once

#include <Qt>

class QKeyEvent;

// Qt::Key_A to Qt::Key_Z for a letter key, and the event's own key for any other.
Qt::Key latinKey(const QKeyEvent *event);
