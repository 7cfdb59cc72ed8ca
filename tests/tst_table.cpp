// The dealt table: the shuffle, the table as a player sees it, the pointer over each part of the
// window, a click that ends away from the card, what a new game keeps, and pictures that cannot load.
#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/palette.h"
#include "controls/twips.h"
#include "controls/vbColor.h"
#include "game/FrmMain.h"
#include "platform/loadPicture.h"
#include "platform/testHooks.h"
#include "rules/shuffle.h"
#include "state/modInitialize.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace modInitialize;
using namespace testSupport;

class TestTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void shuffle_data();
    void shuffle();
    void newGameDealsFromTheClock();
    void dealtTableAsAPlayerSeesIt();
    void pointerShapeFollowsTheCells_data();
    void pointerShapeFollowsTheCells();
    void pointerOverTheSurface_data();
    void pointerOverTheSurface();
    void clickEndsWhereItStarted();
    void newGameKeepsTargetAndTopScores();
    void keysPressTheButtons_data();
    void keysPressTheButtons();
    void keyboardFrameTellsWhereTheCardMayGo_data();
    void keyboardFrameTellsWhereTheCardMayGo();
    void frameLeavesNothingBehind();
    void focusShowsFromTheStart();
    void pointerFollowsEachChange();
    void cardsAtTheScreensDensity();
    void brokenPictureChangesNothing_data();
    void brokenPictureChangesNothing();
    void changedPictureIsReadAfresh();
};

void TestTable::initTestCase()
{
    useTemporaryDataFolder();
}

void TestTable::init()
{
    fixClock(20261206);
    openGame();
}

void TestTable::shuffle_data()
{
    QTest::addColumn<QList<double>>("numbers"); // repeated as long as the shuffle asks
    QTest::addColumn<QString>("firstCards");    // suit and rank of the first four cards dealt

    QTest::newRow("all zeros deal the pack in its order") << QList<double>{0.0} << "1/1 1/2 1/3 1/4";
    QTest::newRow("just below 1 deals from the end") << QList<double>{0.999999} << "4/13 4/12 4/11 4/10";
    QTest::newRow("a half, then zeros") << QList<double>{0.5, 0.0, 0.0, 0.0} << "3/1 1/1 1/2 1/3";
    QTest::newRow("a fixed sequence") << QList<double>{0.3, 0.9, 0.01, 0.65} << "2/3 4/8 1/1 3/8";
}

void TestTable::shuffle()
{
    QFETCH(QList<double>, numbers);
    QFETCH(QString, firstCards);
    int next = 0;
    int16_t suit[PackSize], rank[PackSize];
    shufflePack([&] { return numbers[next++ % numbers.size()]; }, suit, rank);

    QStringList dealt;
    for (int k = 0; k < 4; ++k)
        dealt << QStringLiteral("%1/%2").arg(suit[k]).arg(rank[k]);
    QCOMPARE(dealt.join(QLatin1Char(' ')), firstCards);
    QSet<int> cards;
    for (int k = 0; k < PackSize; ++k)
        cards.insert(suit[k] * 100 + rank[k]);
    QCOMPARE(cards.size(), int(PackSize));
}

// Each new game reads the clock afresh: the same reading deals the same game, another reading another.
void TestTable::newGameDealsFromTheClock()
{
    const auto deal = [] {
        frmMain->cmdNew->click();
        return QByteArray(reinterpret_cast<const char *>(packSuit), sizeof packSuit) +
               QByteArray(reinterpret_cast<const char *>(packRank), sizeof packRank);
    };
    const QByteArray first = deal();
    QCOMPARE(deal(), first);
    fixClock(43);
    QVERIFY(deal() != first);
}

// The dealt table in a grab of the window: the card in the centre, the four cells beside it hatched in
// the darker grey, the rest in the lighter, each in its own box, and the buttons where a click finds them.
void TestTable::dealtTableAsAPlayerSeesIt()
{
    QCOMPARE(frmMain->size(), QSize(628, 529));
    // Centred on the screen, frame included, once a window manager has framed it.
    QTRY_VERIFY((frmMain->frameGeometry().center() - frmMain->screen()->availableGeometry().center())
                    .manhattanLength() <= 1);
    // Every caption fits its label in the font the system finds.
    for (const LabelControl *label : frmMain->findChildren<LabelControl *>())
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    const QImage window = frmMain->grab().toImage();
    const QRgb background = vbColor(palette::background).rgb();
    for (int i = 0; i < CellCount; ++i) {
        const QRect box(8 + 79 * (i % 5), 8 + 104 * (i / 5), 71, 96);
        const QString cell = QStringLiteral("cell %1: ").arg(i);
        if (i == 12) {
            // Every pixel the card does not leave clear shows the card, on the white of its cell.
            const QImage card = cardPicture(packSuit[0], packRank[0]).convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < card.height(); ++y) {
                for (int x = 0; x < card.width(); ++x) {
                    const QRgb pixel = card.pixel(x, y);
                    if (qAlpha(pixel) == 255 && window.pixel(box.topLeft() + QPoint(x, y)) != pixel)
                        QFAIL(qPrintable(cell + "the centre card is not shown"));
                }
            }
            QCOMPARE(window.pixel(box.topLeft() + QPoint(1, 1)), qRgb(255, 255, 255));
            continue;
        }
        const uint32_t grey =
            QList<int>{7, 11, 13, 17}.contains(i) ? palette::availableGrey : palette::ruleGrey;
        const QRgb shade = vbColor(grey).rgb();
        // The outline's straight sides lie on the box's edges, one pixel wide.
        QVERIFY2(window.pixel(box.center().x(), box.top()) == shade, qPrintable(cell + "top edge"));
        QVERIFY2(window.pixel(box.left(), box.center().y()) == shade, qPrintable(cell + "left edge"));
        QVERIFY2(window.pixel(box.right(), box.center().y()) == shade, qPrintable(cell + "right edge"));
        QVERIFY2(window.pixel(box.center().x(), box.bottom()) == shade, qPrintable(cell + "bottom edge"));
        QVERIFY2(window.pixel(box.center().x(), box.top() - 1) == background,
                 qPrintable(cell + "beyond the top"));
        // Inside, lines from the top left down to the bottom right with the background between them.
        QPoint hatch(box.left() + 20, box.top() + 30);
        while (window.pixel(hatch) != shade && hatch.x() < box.right() - 20)
            hatch.rx()++;
        for (int step = 1; step <= 6; ++step)
            QVERIFY2(window.pixel(hatch + QPoint(step, step)) == shade, qPrintable(cell + "hatching"));
        QVERIFY2(window.pixel(hatch + QPoint(1, -1)) == background, qPrintable(cell + "between the lines"));
    }
    // A button is pressed by a click anywhere in its box and nowhere outside it.
    const struct {
        QPushButton *button;
        QRect box;
    } buttons[] = {{frmMain->cmdScoring, {420, 288, 57, 25}},
                   {frmMain->cmdNew, {484, 288, 57, 25}},
                   {frmMain->cmdQuit, {548, 288, 57, 25}}};
    for (const auto &[button, box] : buttons) {
        for (const QPoint inside : {box.topLeft(), box.bottomRight()})
            QCOMPARE(frmMain->childAt(inside), button);
        for (const QPoint outside : {box.topLeft() - QPoint(1, 1), box.bottomRight() + QPoint(1, 1)})
            QVERIFY(frmMain->childAt(outside) != button);
    }
}

void TestTable::pointerShapeFollowsTheCells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("shape");
    QTest::newRow("unavailable corner") << 0 << int(Qt::ForbiddenCursor);
    QTest::newRow("available above the centre") << 7 << int(Qt::ArrowCursor);
    QTest::newRow("available right of the centre") << 13 << int(Qt::ArrowCursor);
    QTest::newRow("occupied centre") << 12 << int(Qt::ForbiddenCursor);
    QTest::newRow("unavailable bottom right") << 24 << int(Qt::ForbiddenCursor);
}

void TestTable::pointerShapeFollowsTheCells()
{
    QFETCH(int, cell);
    QFETCH(int, shape);
    hoverCell(cell);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(int(QApplication::overrideCursor()->shape()), shape);
    QCOMPARE(int(targetCell), cell);
    QVERIFY(frmMain->imgPack->isVisible());
    QCOMPARE(frmMain->imgPack->pos(), frmMain->imgCard[cell]->pos());
}

void TestTable::pointerOverTheSurface_data()
{
    QTest::addColumn<QPointF>("twips"); // where the pointer goes after the grid set the not-allowed shape
    QTest::addColumn<bool>("arrow");

    const qreal panel = FrmMain::PanelLeft, strip = FrmMain::StripBottom;
    QTest::newRow("left margin") << QPointF(45, 3000) << false;
    QTest::newRow("gap between cells") << QPointF(1215, 4500) << false;
    QTest::newRow("the right-hand panel") << QPointF(7500, 3000) << true;
    QTest::newRow("the strip above the grid") << QPointF(1215, 45) << true;
    // The edges themselves, and the least step beyond them, which a pointer on a scaled screen reaches.
    QTest::newRow("the panel's edge") << QPointF(panel, 4500) << false;
    QTest::newRow("just right of the panel's edge") << QPointF(panel + 0.5, 4500) << true;
    QTest::newRow("the strip's edge") << QPointF(1215, strip) << false;
    QTest::newRow("just above the strip's edge") << QPointF(1215, strip - 0.5) << true;
}

// The right-hand panel and the strip above the grid bring the arrow back; elsewhere the surface keeps
// the shape the grid set. A point on whole pixels comes as a real move of the pointer.
void TestTable::pointerOverTheSurface()
{
    QFETCH(QPointF, twips);
    QFETCH(bool, arrow);
    hoverCell(0); // so that the waiting card leaves cell 24 open to the pointer
    hoverCell(24);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    const QPoint pixels(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
    if (QPointF(pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y())) == twips) {
        QVERIFY(!frmMain->childAt(pixels));
        movePointer(pixels);
    } else {
        frmMain->Form_MouseMove(0, 0, float(twips.x()), float(twips.y()));
    }
    QCOMPARE(QApplication::overrideCursor()->shape(), arrow ? Qt::ArrowCursor : Qt::ForbiddenCursor);
    // Leaving the grid leaves the waiting card where it was.
    QCOMPARE(int(targetCell), 24);
    QCOMPARE(frmMain->imgPack->pos(), frmMain->imgCard[24]->pos());
}

// A click is a press and a release on the card: released away from it, it places nothing; pressed
// elsewhere and released on it, nothing either.
void TestTable::clickEndsWhereItStarted()
{
    hoverCell(13);
    const Snapshot before = takeSnapshot();
    QWindow *window = frmMain->windowHandle();
    const QPoint card = frmMain->imgPack->geometry().center();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, card);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, card + QPoint(0, 60));
    QCOMPARE(differences(before, takeSnapshot()), QString());
    clickWaitingCard();
    QCOMPARE(int(gridState[3][2]), int(Occupied));
}

void TestTable::newGameKeepsTargetAndTopScores()
{
    placeOn(7);
    hoverCell(17);
    setTopScores(QStringLiteral("123 Ada, 0, 0, 0, 0"));
    playerName = "Ada";
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(int(targetCell), 17);
    QCOMPARE(frmMain->imgPack->pos(), frmMain->imgCard[17]->pos());
    QCOMPARE(frmMain->imgPack->picture(), cardPicture(packSuit[1], packRank[1]));
    QCOMPARE(describeTopScores(), QStringLiteral("123 Ada, 0, 0, 0, 0"));
    QCOMPARE(playerName, std::string("Ada"));
    QCOMPARE(lastCellX, int16_t(-1));
    QCOMPARE(checkInvariants(), QString());
}

void TestTable::keysPressTheButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Alt+N") << int(Qt::Key_N) << int(Qt::AltModifier);
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier);
    QTest::newRow("Enter on the focused New") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter on the focused New") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

// New deals by its access key, and by Enter when it has the focus, as at the end of a game.
void TestTable::keysPressTheButtons()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    placeOn(7);
    frmMain->cmdNew->setFocus();
    QTest::keyClick(frmMain->windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // An access key presses its button visibly, and the click follows a moment later.
    QTRY_COMPARE(packPosition, int16_t(1));
    QCOMPARE(frmMain->cmdQuit->shortcut(), QKeySequence(QStringLiteral("Alt+Q")));
    QCOMPARE(frmMain->cmdScoring->shortcut(), QKeySequence(QStringLiteral("Alt+S")));
}

void TestTable::keyboardFrameTellsWhereTheCardMayGo_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("keyboard"); // the grid has the focus
    QTest::addColumn<bool>("dark");     // under a dark desktop theme
    QTest::addColumn<QString>("look");  // a "whole" frame, a "broken" one round a faint card, or "none"

    QTest::newRow("available cell") << 7 << true << false << "whole";
    QTest::newRow("closed corner") << 0 << true << false << "broken";
    QTest::newRow("occupied centre") << 12 << true << false << "broken";
    QTest::newRow("available cell, dark theme") << 13 << true << true << "whole";
    QTest::newRow("closed corner, dark theme") << 24 << true << true << "broken";
    QTest::newRow("available cell, pointer play") << 7 << false << false << "none";
    QTest::newRow("closed corner, pointer play") << 0 << false << false << "none";
}

// Along the gaps above and left of a card's box, the places where a pixel near it stands out.
static int framedPlaces(const QImage &shot, const QRect &card)
{
    int framed = 0;
    for (int along = 0; along < card.width() + card.height(); ++along) {
        bool seen = false;
        for (int off = 1; off <= 4; ++off) {
            const QPoint near = along < card.width()
                                    ? QPoint(card.left() + along, card.top() - off)
                                    : QPoint(card.left() - off, card.top() + along - card.width());
            seen = seen || contrast(shot.pixelColor(near), vbColor(palette::background)) >= 3;
        }
        framed += seen;
    }
    return framed;
}

// While the grid has the focus, the frame round the waiting card tells whether it may go where it lies:
// a whole frame round the card, or a broken one round the card drawn faint over what lies beneath, both
// clear on the pale green under a dark desktop theme too. In pointer play the pointer's shape tells.
void TestTable::keyboardFrameTellsWhereTheCardMayGo()
{
    QFETCH(int, cell);
    QFETCH(bool, keyboard);
    QFETCH(bool, dark);
    QFETCH(QString, look);
    const QPalette desktop = QApplication::palette();
    QPalette theme = desktop;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        theme.setColor(role, QColor(0x30, 0x30, 0x30));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Highlight})
        theme.setColor(role, QColor(0xDD, 0xEE, 0xDD));
    QApplication::setPalette(dark ? theme : desktop);
    frmMain->cmdScoring->setFocus();
    if (keyboard)
        QTest::keyClick(frmMain->windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
    hoverCell(cell);
    const QImage shot = frmMain->grab().toImage();
    QApplication::setPalette(desktop);

    const QRect card = frmMain->imgPack->geometry();
    const int framed = framedPlaces(shot, card), open = card.width() + card.height() - framed;
    // The card's pixels as the picture has them, and the inked ones within its edge, which a faint card
    // shows lighter, save where the card beneath is as dark.
    const QImage picture = frmMain->imgPack->picture().convertToFormat(QImage::Format_ARGB32);
    int changed = 0, inked = 0, inkedAsDrawn = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            const bool asDrawn = shot.pixel(card.topLeft() + QPoint(x, y)) == pixel;
            const bool ink = qGray(pixel) < 160 && picture.rect().adjusted(3, 3, -3, -3).contains(x, y);
            changed += qAlpha(pixel) == 255 && !asDrawn;
            inked += ink;
            inkedAsDrawn += ink && asDrawn;
        }
    }
    const QString seen =
        QString::asprintf("framed %d, open %d, %d pixels changed, %d of %d inked ones as drawn", framed, open,
                          changed, inkedAsDrawn, inked);
    if (look == QLatin1String("broken"))
        QVERIFY2(framed > 2 * open && open > 8 && inkedAsDrawn < inked / 4, qPrintable(seen));
    else
        QVERIFY2(open == (look == QLatin1String("whole") ? 0 : framed + open) && changed == 0,
                 qPrintable(seen));
}

// The frame goes with the card: on the screen, nothing of it stays where the card was.
void TestTable::frameLeavesNothingBehind()
{
    const auto shown = [] { return frmMain->screen()->grabWindow(frmMain->winId()).toImage(); };
    frmMain->cmdScoring->setFocus();
    QTest::keyClick(frmMain->windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
    hoverCell(7);
    const QRect left = frmMain->imgPack->geometry();
    QTRY_VERIFY(framedPlaces(shown(), left) == left.width() + left.height());
    QTest::keyClick(frmMain->windowHandle(), Qt::Key_Right);
    const QRect reached = frmMain->imgPack->geometry();
    QVERIFY(reached != left);
    // Whole or broken, the frame is there before what was left behind is looked at.
    QTRY_VERIFY(framedPlaces(shown(), reached) > (reached.width() + reached.height()) / 2);
    QCOMPARE(framedPlaces(shown(), left), 0);
}

// What has the focus shows from the start, before any key has moved it: Enter presses what is framed.
void TestTable::focusShowsFromTheStart()
{
    FrmMain game;
    game.show();
    game.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game));
    QCOMPARE(QApplication::focusWidget(), game.cmdScoring);
    const QImage focused = game.cmdScoring->grab().toImage();
    game.cmdNew->setFocus();
    QVERIFY(game.cmdScoring->grab().toImage() != focused);
}

// On a dense screen a card is drawn from its picture at twice the size: pixel for pixel at twice the
// density, scaled down smoothly at one and a half, never the usual picture scaled up.
void TestTable::cardsAtTheScreensDensity()
{
    const qreal density = frmMain->devicePixelRatioF();
    const QImage card = frmMain->imgCard[12]->picture();
    QCOMPARE(card.devicePixelRatio(), density > 1 ? 2.0 : 1.0);
    if (density != 2)
        return;
    QString problem;
    const QString file = platform::atTwiceTheSize(frmMain->getCardImageFilename(packSuit[0], packRank[0]));
    const QImage dense =
        platform::LoadPicture(file, QSize(142, 192), &problem).convertToFormat(QImage::Format_ARGB32);
    const QImage shown =
        frmMain->grab(frmMain->imgCard[12]->geometry()).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown.size(), dense.size());
    for (int y = 0; y < dense.height(); ++y) {
        for (int x = 0; x < dense.width(); ++x) {
            if (qAlpha(dense.pixel(x, y)) == 255 && shown.pixel(x, y) != dense.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is not the picture's").arg(x).arg(y)));
        }
    }
}

// The pointer over the waiting card says at once whether a click places it, after a move, an undo
// and a new game alike.
void TestTable::pointerFollowsEachChange()
{
    const auto shape = [] { return QApplication::overrideCursor()->shape(); };
    hoverCell(7);
    QCOMPARE(shape(), Qt::ArrowCursor);
    clickWaitingCard();
    QCOMPARE(shape(), Qt::ForbiddenCursor);
    pressUndo();
    QCOMPARE(shape(), Qt::ArrowCursor);
    clickWaitingCard();
    QTest::keyClick(frmMain->windowHandle(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(shape(), Qt::ArrowCursor);
}

struct ProgramEnded {
    int status;
};

[[noreturn]] static void throwInsteadOfEnding(int status)
{
    throw ProgramEnded{status};
}

void TestTable::brokenPictureChangesNothing_data()
{
    QTest::addColumn<QString>("broken"); // what stands where the card's picture should be
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("placing");

    const auto row = [](const char *name, const char *broken, const char *problem, bool placing = true) {
        QTest::newRow(name) << QString::fromLatin1(broken) << QString::fromLatin1(problem) << placing;
    };
    row("missing, laying a card in a cell", "missing", "no such file");
    row("missing, drawing the next card", "missing", "no such file", false);
    row("FIFO", "fifo", "not a file");
    row("device", "device", "not a file");
    row("oversized", "oversized", "too large");
    row("bomb: 5000 x 5000 pixels", "bomb", "5000 x 5000");
    row("cut short where a ';' ends it", "cut short", "it is cut short");
    row("wrong size", "title", "194 x 32");
    row("a PNG picture named .gif", "png", "it is a PNG picture, not a GIF");
    row("empty", "empty", "it is empty");
    row("only a header", "header", "a GIF header with no picture");
    row("a symbolic link loop", "loop", "a symbolic link that leads round in a loop");
}

// A card picture that cannot be loaded stops the routine before anything has changed, and the player
// is told which file it was and why; nothing in its place can hang the program or swamp it.
void TestTable::brokenPictureChangesNothing()
{
    QFETCH(QString, broken);
    QFETCH(QString, problem);
    QFETCH(bool, placing);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("Pack"));
    const QString picture =
        folder.filePath(placing ? QStringLiteral("Pack/101.gif") : QStringLiteral("Pack/Any.gif"));
    const QByteArray card = [] {
        QFile file(frmMain->getCardImageFilename(1, 1));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    // A card cut short in its picture's data, at a ';' that the data happens to hold.
    const QByteArray cutShort = card.left(card.indexOf(';', card.size() / 2) + 1);
    const QMap<QString, QByteArray> contents = {{QStringLiteral("cut short"), cutShort},
                                                {QStringLiteral("empty"), QByteArray()},
                                                {QStringLiteral("header"), card.left(13)}};
    QFile file(picture);
    if (contents.contains(broken))
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents[broken]) == contents[broken].size());
    else if (broken == QLatin1String("title"))
        QVERIFY(QFile::copy(QStringLiteral(":/game/art/title.gif"), picture));
    else if (broken == QLatin1String("png"))
        QVERIFY(
            QFile::copy(QStringLiteral(":/icons/hicolor/16x16/apps/net.brindlow.Tallyfive.png"), picture));
    else if (broken == QLatin1String("loop"))
        QVERIFY(QFile::link(picture, picture));
    else if (broken != QLatin1String("missing"))
        QVERIFY(layBadFile(picture, broken, 2 << 20));
    file.close();

    const Snapshot before = takeSnapshot();
    platform::setExecutableFolder(folder.path());
    platform::setProgramEnd(throwInsteadOfEnding);
    QString message;
    QTimer::singleShot(0, [&message] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    int status = 0;
    try {
        if (placing)
            frmMain->setCellOccupied(2, 1, 1, 1);
        else
            frmMain->drawCardFromPack();
    } catch (const ProgramEnded &ended) {
        status = ended.status;
    }
    platform::setExecutableFolder(QString());
    platform::setProgramEnd(nullptr);
    QCOMPARE(status, 1);
    QVERIFY2(message.contains(folder.path() + QStringLiteral("/Pack")) && message.contains(problem),
             qPrintable(message));
    QCOMPARE(differences(before, takeSnapshot()), QString());
}

QTEST_MAIN(TestTable)
// A picture is read afresh each time it is loaded: one changed on disk is shown as it now is, and
// one that is broken now is found, however often it loaded before.
void TestTable::changedPictureIsReadAfresh()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("101.gif"));
    const QSize size(FrmMain::CardWidth, FrmMain::CardHeight);
    QString problem;
    for (const int rank : {1, 13, 1}) {
        const QString card = frmMain->getCardImageFilename(1, rank);
        QVERIFY(!QFile::exists(path) || QFile::remove(path));
        QVERIFY(QFile::copy(card, path));
        QCOMPARE(platform::LoadPicture(path, size, &problem),
                 QImage(card).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(file.size() - 1));
    file.close();
    QVERIFY(platform::LoadPicture(path, size, &problem).isNull());
    QCOMPARE(problem, QStringLiteral("it is cut short"));
}

#include "tst_table.moc"
