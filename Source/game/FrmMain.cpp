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
    imgTitle->setAccessibleName(QStringLiteral("Tallyfive"));
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
    grdCells = new GridControl(this, imgPack, imgCard);
    place(grdCells, 0, 0, 6045, 7920);
    grdCells->setAccessibleName(QStringLiteral("Table of cards"));
    grdCells->setAccessibleDescription(QStringLiteral("The arrow keys move the card to place from cell to "
                                                      "cell; Enter or Space places it; H asks the coach."));

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

// The focus is shown from the start, before any key has moved it: Enter presses what is framed. Qt
// shows it only once a key has moved it, and forgets that whenever the window is shown.
void FrmMain::showEvent(QShowEvent *)
{
    setAttribute(Qt::WA_KeyboardFocusChange);
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

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched == imgPack && type == QEvent::Leave)
        m_pointerOnCard = false;
    // The grid shows the waiting card over its cell as soon as it has the focus.
    if (watched == grdCells && type == QEvent::FocusIn)
        moveWaitingCard(0, 0);
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride)
        return takeKey(watched, static_cast<QKeyEvent *>(event));
    return false;
}
