// The scoring window: its controls at their designed places, and the plumbing from Qt's events
// to its event routines.
#include "topscores/FrmScoring.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/LineControl.h"
#include "controls/designFont.h"
#include "controls/eventArguments.h"
#include "controls/fixedWindow.h"
#include "controls/palette.h"
#include "controls/twips.h"
#include "controls/vbColor.h"
#include "platform/loadPicture.h"
#include "rules/handEvaluation.h"

#include <QKeyEvent>
#include <QMouseEvent>

using namespace modInitialize;

FrmScoring *frmScoring = nullptr;

// One line of the ways to score, in the order of the combinations: its name and example, with the
// tool tip that explains it. The points come from the rules themselves.
struct WayToScore {
    const char *name;
    int nameLeft;
    int nameWidth;
    int top;
    int exampleTop;
    const char *explanation;
    const char *example; // what the example picture shows, as a screen reader says it
};

// "Straight" is narrower and starts further right, so all the names end at one edge.
static const WayToScore waysToScore[CombinationCount] = {
    {"One Pair", 240, 1335, 1200, 1095, "Two cards of the same rank",
     "Example of one pair: the nine of hearts and the nine of spades, beside a four, a king and a two"},
    {"Two Pair", 240, 1335, 1680, 1575, "Two sets of two cards of the same rank",
     "Example of two pair: two sevens and two queens, beside a three"},
    {"Triplet", 240, 1335, 2160, 2055, "Three cards of the same rank",
     "Example of a triplet: three fives, beside a king and a ten"},
    {"Straight", 480, 1095, 2640, 2535, "Five cards in numerical order.  Ace counts high or low",
     "Example of a straight: five, six, seven, eight and nine of mixed suits"},
    {"Flush", 240, 1335, 3120, 3015, "Five cards of the same suit",
     "Example of a flush: king, three, eight, ten and six of hearts"},
    {"Full House", 240, 1335, 3600, 3495, "One Pair and one Triplet",
     "Example of a full house: three jacks and two fours"},
    {"Four of a Kind", 240, 1335, 4080, 3975, "Four cards of the same rank",
     "Example of four of a kind: four aces, beside a six"},
    {"Straight Flush", 240, 1335, 4560, 4455,
     "Five cards of the same suit in numerical order.  Ace counts high or low",
     "Example of a straight flush: seven, eight, nine, ten and jack of clubs"},
    {"Royal Flush", 240, 1335, 5040, 4935, "Cards 10, Jack, Queen, King, Ace (high) of the same suit",
     "Example of a royal flush: ten, jack, queen, king and ace of spades"},
};

// Owned by the game window and kept in front of it, as a window of a dialog's kind is; modeless all
// the same.
FrmScoring::FrmScoring(QWidget *owner) : QWidget(owner, fixedWindowFlags(Qt::Dialog))
{
    // Closing the window unloads it; the Scoring button makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Scoring"));
    setFixedSize(twipsToPixels(4455), twipsToPixels(7935));
    setBackColor(this, palette::background);
    setMouseTracking(true);

    imgTitle = new ImageControl(this);
    imgTitle->setPicture(
        platform::loadBuiltInPicture(QStringLiteral(":/game/art/title.gif"), devicePixelRatioF()));
    imgTitle->setAccessibleName(QStringLiteral("Tallyfive"));
    place(imgTitle, 780, 150, 2910, 480);
    createWaysToScore();
    createTopScores();
    connectControls();

    // Centred on the game window until the Scoring button places it beside it.
    centreWindow(this, owner);
    Form_Load();
}

FrmScoring::~FrmScoring()
{
    if (frmScoring == this)
        frmScoring = nullptr;
}

LabelControl *FrmScoring::addText(int index, const QString &caption, const QFont &font,
                                  Qt::Alignment alignment)
{
    lblText[index] = new LabelControl(this, caption, font, alignment);
    return lblText[index];
}

void FrmScoring::createWaysToScore()
{
    place(addText(1, QStringLiteral("Ways to score:"), designFont(13.5), Qt::AlignLeft), 120, 705, 1935, 375);
    for (int i = 0; i < CombinationCount; ++i) {
        const WayToScore &way = waysToScore[i];
        place(addText(2 + i, QString::fromLatin1(way.name), designFont(9.75), Qt::AlignRight), way.nameLeft,
              way.top, way.nameWidth, 255);
        const QString points = QString::number(combinationValues[i].points);
        place(addText(20 + i, points, designFont(9.75, true), Qt::AlignHCenter), 1680, way.top, 375, 255);
        imgExample[i] = new ImageControl(this);
        imgExample[i]->setPicture(platform::loadBuiltInPicture(
            QStringLiteral(":/topscores/art/example%1.gif").arg(i), devicePixelRatioF()));
        imgExample[i]->setToolTip(QString::fromLatin1(way.explanation));
        imgExample[i]->setAccessibleName(QString::fromLatin1(way.example));
        place(imgExample[i], 2280, way.exampleTop, 1950, 450);
    }
    const QString anyOrder = QStringLiteral("(any order)");
    place(addText(0, anyOrder, designFont(8.25), Qt::AlignRight), 240, 2880, 1335, 255);
    place(addText(11, anyOrder, designFont(8.25), Qt::AlignRight), 240, 4800, 1335, 255);
    place(addText(12, anyOrder, designFont(8.25), Qt::AlignRight), 240, 5280, 1335, 255);

    place(addText(29, QStringLiteral("Target Score"), designFont(9.75, true), Qt::AlignRight), 2040, 5520,
          1815, 255);
    place(addText(13, QStringLiteral("200"), designFont(9.75, true), Qt::AlignHCenter), 3960, 5520, 375, 255);
    Line1 = new LineControl(this, 120, 5880, 4335, 5880, palette::ruleGrey);
}

void FrmScoring::createTopScores()
{
    place(addText(30, QStringLiteral("Top scores:"), designFont(13.5), Qt::AlignLeft), 120, 6045, 1935, 375);
    const QString noName(16, QChar(0x2014));
    for (int i = 0; i < TopEntries; ++i) {
        lblTopScore[i] =
            new LabelControl(this, QStringLiteral("0"), designFont(9.75, true), Qt::AlignHCenter);
        place(lblTopScore[i], 1680, 6120 + 360 * i, 375, 255);
        lblTopName[i] = new LabelControl(this, noName, designFont(9.75), Qt::AlignLeft);
        place(lblTopName[i], 2160, 6120 + 360 * i, 2175, 255);
        // The dashes of an empty row, and the widest names, are drawn smaller rather than cut off.
        lblTopName[i]->setShrinkToFit(true);
        nameTopScoreRow(i, QStringLiteral("none"), QStringLiteral("no one"));
    }
}

void FrmScoring::connectControls()
{
    for (int i = 0; i < CombinationCount; ++i)
        connect(imgExample[i], &ImageControl::clicked, this, [this, i] { imgExample_Click(i); });
    for (int i = 0; i < 31; ++i) {
        if (lblText[i])
            connect(lblText[i], &LabelControl::clicked, this, [this, i] { lblText_Click(i); });
    }
    for (int i = 0; i < TopEntries; ++i) {
        connect(lblTopName[i], &LabelControl::clicked, this, [this, i] { lblTopName_Click(i); });
        connect(lblTopScore[i], &LabelControl::clicked, this, [this, i] { lblTopScore_Click(i); });
    }
}

void FrmScoring::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void FrmScoring::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Form_Click();
}

void FrmScoring::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove(buttonMask(event), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
}

// Only keys that type a character, Enter, Esc and Backspace among them: arrows, function keys, Delete
// and chords with Alt or Ctrl type none.
void FrmScoring::keyPressEvent(QKeyEvent *event)
{
    const QChar typed = event->text().isEmpty() ? QChar() : event->text().at(0);
    const bool character = !typed.isNull() && (typed.category() != QChar::Other_Control || typed == u'\r' ||
                                               typed == u'\x1b' || typed == u'\b');
    if (!character || (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyPress(typed.unicode());
}
