// The game window's keys, all of them, as Qt reports them: Ctrl+Z, the access keys, the grid's arrows
// and Enter, F1 and H. The window sees every key before the control that has the focus (key
// preview). The arrows move the waiting card through the same targeting routine the pointer drives,
// so the card, targetCell and the pointer's shape follow alike.
#include "game/FrmMain.h"

#include "controls/GridControl.h"
#include "controls/LabelControl.h"
#include "platform/keyLetter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

using namespace modInitialize;

void FrmMain::Form_KeyDown(Qt::Key, Qt::KeyboardModifiers Shift)
{
    if (Shift & Qt::ControlModifier)
        ctrlKeyDown = True;
}

// Undo comes when Z is released while Ctrl is still held. The flag is cleared first, so a flag left
// from earlier never turns a plain Z into an undo.
void FrmMain::Form_KeyUp(Qt::Key KeyCode, Qt::KeyboardModifiers Shift)
{
    if (!(Shift & Qt::ControlModifier))
        ctrlKeyDown = False;
    if (KeyCode == Qt::Key_Z && ctrlKeyDown)
        undoLastMove();
}

void FrmMain::moveWaitingCard(int stepX, int stepY)
{
    const int x = std::clamp(getCellX(targetCell) + stepX, 0, GridSize - 1);
    const int y = std::clamp(getCellY(targetCell) + stepY, 0, GridSize - 1);
    imgCard_MouseMove(getControlIndex(x, y), 0, 0, 0, 0);
}

// The button an access key presses: Alt with the key of N, Q or S, whatever letter the keyboard's
// layout puts on it; and Ctrl+N and Ctrl+Q, as on every desktop.
QPushButton *FrmMain::accessKeyButton(const QKeyEvent *key) const
{
    const auto chord = key->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
    if (chord != Qt::AltModifier && chord != Qt::ControlModifier)
        return nullptr;
    switch (latinKey(key)) {
    case Qt::Key_N:
        return cmdNew;
    case Qt::Key_Q:
        return cmdQuit;
    case Qt::Key_S:
        return chord == Qt::AltModifier ? cmdScoring : nullptr;
    default:
        return nullptr;
    }
}

// The grid's keys: the arrows move the waiting card, Enter and Space place it as a click would.
bool FrmMain::takeGridKey(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Left:
        moveWaitingCard(-1, 0);
        return true;
    case Qt::Key_Right:
        moveWaitingCard(1, 0);
        return true;
    case Qt::Key_Up:
        moveWaitingCard(0, -1);
        return true;
    case Qt::Key_Down:
        moveWaitingCard(0, 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        imgPack_Click();
        return true;
    default:
        return false;
    }
}

// A key on its way to `watched`: true when the window used it up.
bool FrmMain::takeKey(QObject *watched, QKeyEvent *key)
{
    // The access keys are the window's own, so that they follow the key and not the layout's letter.
    if (key->type() == QEvent::ShortcutOverride) {
        if (accessKeyButton(key))
            key->accept();
        return false;
    }
    // A key that a button left unused travels on to the window: it was seen already.
    const QWidget *focus = QApplication::focusWidget();
    if (watched == this && focus && focus != this && isAncestorOf(focus))
        return false;
    // Held keys repeat as release and press pairs; only the real press and release count.
    if (key->isAutoRepeat())
        return false;
    if (key->type() == QEvent::KeyRelease) {
        Form_KeyUp(latinKey(key), key->modifiers());
        return false;
    }
    Form_KeyDown(latinKey(key), key->modifiers());
    if (QPushButton *button = accessKeyButton(key)) {
        button->animateClick();
        return true;
    }
    if (watched == grdCells && takeGridKey(key))
        return true;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if ((watched == lblCredits3 && enter) || key->key() == Qt::Key_F1) {
        lblCredits3_Click();
        return true;
    }
    if (latinKey(key) == Qt::Key_H &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        askCoach();
        return true;
    }
    // Enter presses the button that has the focus, as Space does.
    auto *focused = qobject_cast<QPushButton *>(watched);
    if (focused && enter) {
        focused->click();
        return true;
    }
    return false;
}
