// The game window: its controls at their designed places, and the plumbing from Qt's events to
// the event routines.
#include "game/FrmMain.h"

#include "controls/GridControl.h"
#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/LineControl.h"
#include "controls/ShapeControl.h"
#include "controls/accessibility.h"
#include "controls/designFont.h"
#include "controls/eventArguments.h"
#include "controls/fixedWindow.h"
#include "controls/palette.h"
#include "controls/twips.h"
#include "controls/vbColor.h"
#include "platform/loadPicture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

using namespace modInitialize;

FrmMain *frmMain = nullptr;

FrmMain::FrmMain() : QWidget(nullptr, fixedWindowFlags(Qt::Window, true))
{
    installAccessibility();
    setWindowTitle(QStringLiteral("Tallyfive"));
    setFixedSize(twipsToPixels(9420), twipsToPixels(7935));
    setBackColor(this, palette::background);
    setMouseTracking(true);

    createControls();
    connectControls();
    centreWindow(this, nullptr);
    checkPack();

    // Loading the window deals the first game before it is first shown.
    Form_Load();
}

static QPushButton *createButton(QWidget *parent, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setFont(designFont(8.25));
    // A button keeps the pointer's moves to itself, as the window's surface sees only its own.
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

static ShapeControl *createRoundedFrame(QWidget *parent, uint32_t border)
{
    auto *shape = new ShapeControl(parent);
    shape->setShape(ShapeControl::RoundedRectangle);
    shape->setBorderColor(border);
    return shape;
}

// Controls are created back to front, so each lies in front of those made before it.
void FrmMain::createControls()
{
    Shape1 = createRoundedFrame(this, palette::ruleGrey);
    place(Shape1, 6255, 6960, 2835, 855);
    shpNextCard = createRoundedFrame(this, palette::white);
    shpNextCard->setFillColor(palette::white);
    shpNextCard->setFillStyle(ShapeControl::Solid);
    place(shpNextCard, 7980, 1455, 1080, 1440);

    Line1 = new LineControl(this, 6300, 1200, 9075, 1200, palette::ruleGrey);
    Line2 = new LineControl(this, 6300, 3120, 9075, 3120, palette::ruleGrey);
    Line3 = new LineControl(this, 6300, 4080, 9075, 4080, palette::ruleGrey);
    Line4 = new LineControl(this, 6300, 4920, 9075, 4920, palette::ruleGrey);

    createCells();

    imgNextCard = new ImageControl(this);
    place(imgNextCard, 7980, 1455, 135, 135);
    imgTitle = new ImageControl(this);
    imgTitle->setPicture(
        platform::loadBuiltInPicture(QStringLiteral(":/game/art/title.gif"), devicePixelRatioF()));
    place(imgTitle, 6225, 375, 2910, 480);

    lblNext = new LabelControl(this, QStringLiteral("Next Card:"), designFont(14.25));
    place(lblNext, 6300, 1455, 1575, 495);
    lblCombination = new LabelControl(this, QStringLiteral("Combination"), designFont(13.5));
    lblCombination->setShrinkToFit(true);
    place(lblCombination, 6300, 3255, 2760, 360);
    lblTotal = new LabelControl(this, QStringLiteral("Current Score:"), designFont(13.5));
    place(lblTotal, 6300, 3630, 2760, 360);
    lblCredits1 = new LabelControl(this, QStringLiteral("Programmed by Brindlow"), designFont(8.25));
    place(lblCredits1, 6420, 7050, 2535, 255);
    lblCredits2 = new LabelControl(this, QStringLiteral("www.brindlow.net"), designFont(8.25));
    place(lblCredits2, 6420, 7275, 2535, 255);
    lblCredits3 = new LabelControl(this, QStringLiteral("More about Tallyfive..."), designFont(8.25));
    place(lblCredits3, 6420, 7515, 2535, 255);

    imgPack = new ImageControl(this);
    place(imgPack, 6240, 5040, 135, 135);
    imgPack->setVisible(false);
    grdCells = new GridControl(this, imgPack);
    place(grdCells, 0, 0, 6045, 7920);
    grdCells->setAccessibleName(QStringLiteral("Table of cards"));
    grdCells->setAccessibleDescription(
        QStringLiteral("The arrow keys move the card to place from cell to cell; Enter or Space places it."));

    cmdScoring = createButton(this, QStringLiteral("&Scoring"));
    place(cmdScoring, 6300, 4320, 855, 375);
    cmdNew = createButton(this, QStringLiteral("&New"));
    place(cmdNew, 7260, 4320, 855, 375);
    cmdQuit = createButton(this, QStringLiteral("&Quit"));
    place(cmdQuit, 8220, 4320, 855, 375);
    // The credits link takes the focus too, so that the keyboard reaches every control.
    lblCredits3->setFocusPolicy(Qt::TabFocus);
    setTabOrder(grdCells, cmdScoring);
    setTabOrder(cmdScoring, cmdNew);
    setTabOrder(cmdNew, cmdQuit);
    setTabOrder(cmdQuit, lblCredits3);
    cmdScoring->setFocus();
}

// Each cell is a shape with its image in front of it: 1065 x 1440 twips, 120 apart.
void FrmMain::createCells()
{
    for (int i = 0; i < CellCount; ++i) {
        const int left = 120 + 1185 * getCellX(i);
        const int top = 120 + 1560 * getCellY(i);
        shpEmpty[i] = new ShapeControl(this);
        place(shpEmpty[i], left, top, 1065, 1440);
        imgCard[i] = new ImageControl(this);
        place(imgCard[i], left, top, 1065, 1440);
    }
}

void FrmMain::connectControls()
{
    connect(cmdNew, &QPushButton::clicked, this, &FrmMain::cmdNew_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &FrmMain::cmdQuit_Click);
    connect(cmdScoring, &QPushButton::clicked, this, &FrmMain::cmdScoring_Click);
    connect(imgPack, &ImageControl::clicked, this, &FrmMain::imgPack_Click);
    connect(lblCredits3, &LabelControl::mouseMoved, this, &FrmMain::lblCredits3_MouseMove);
    connect(lblCredits3, &LabelControl::clicked, this, &FrmMain::lblCredits3_Click);
    for (int i = 0; i < CellCount; ++i) {
        connect(imgCard[i], &ImageControl::mouseMoved, this,
                [this, i](int button, int shift, float x, float y) {
                    imgCard_MouseMove(i, button, shift, x, y);
                });
    }

    // Quit is the window's cancel button.
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(cancel, &QShortcut::activated, cmdQuit, &QPushButton::click);

    // Key preview: the window sees every key before the button that has the focus.
    installEventFilter(this);
    imgPack->installEventFilter(this);
    for (QWidget *control :
         std::initializer_list<QWidget *>{cmdScoring, cmdNew, cmdQuit, grdCells, lblCredits3})
        control->installEventFilter(this);
}

void FrmMain::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove(buttonMask(event), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
}

// The close box ends the program just as Quit does, so no window lingers unseen.
void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    cmdQuit_Click();
}

// The button an access key presses: Alt with the key of N, Q or S, whatever letter the keyboard's
// layout puts on it; and Ctrl+N and Ctrl+Q, as on every desktop.
QPushButton *FrmMain::accessKeyButton(const QKeyEvent *key) const
{
    const auto chord = key->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
    if (chord != Qt::AltModifier && chord != Qt::ControlModifier)
        return nullptr;
    switch (keyCode(key)) {
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

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched == imgPack && type == QEvent::Leave)
        m_pointerOnCard = false;
    // The grid shows the waiting card over its cell as soon as it has the focus.
    if (watched == grdCells && type == QEvent::FocusIn)
        moveWaitingCard(0, 0);
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // The access keys are the window's own, so that they follow the key and not the layout's letter.
    if (type == QEvent::ShortcutOverride) {
        if (accessKeyButton(key))
            event->accept();
        return false;
    }
    // A key that a button left unused travels on to the window: it was seen already.
    const QWidget *focus = QApplication::focusWidget();
    if (watched == this && focus && focus != this && isAncestorOf(focus))
        return false;
    // Held keys repeat as release and press pairs; only the real press and release count.
    if (key->isAutoRepeat())
        return false;
    if (type == QEvent::KeyRelease) {
        Form_KeyUp(keyCode(key), shiftMask(key->modifiers()));
        return false;
    }
    Form_KeyDown(keyCode(key), shiftMask(key->modifiers()));
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
    if (keyCode(key) == Qt::Key_H &&
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
