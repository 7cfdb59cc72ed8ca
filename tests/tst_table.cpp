// The dealt table: the deal itself, how every cell looks, the pointer over each part of the
// window, and what a new game keeps.
#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/ShapeControl.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"
#include "platform/executableFolder.h"
#include "platform/loadPicture.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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
    void dealHoldsEveryCardOnce();
    void fixedClockDealsTheSameGame();
    void startShowsTheDealtTable();
    void cellsLookAsTheirStates();
    void hatchRunsDownToTheRight();
    void pointerShapeFollowsTheCells_data();
    void pointerShapeFollowsTheCells();
    void pointerKeepsItsShapeInTheGaps();
    void waitingCardStaysWhenPointerLeaves();
    void newGameKeepsTargetAndTopScores();
    void windowHasItsDesignedSize();
    void accessKeysPressTheButtons();
    void missingPictureChangesNothing_data();
    void missingPictureChangesNothing();

private:
    QImage grabWindow() { return frmMain->grab().toImage(); }
};

void TestTable::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(20261206);
}

void TestTable::init()
{
    fixClock(20261206);
    openGame();
}

void TestTable::dealHoldsEveryCardOnce()
{
    for (uint64_t reading : {1ull, 2ull, 977ull, 123456789ull}) {
        fixClock(reading);
        frmMain->cmdNew->click();
        QSet<int> cards;
        for (int k = 0; k < 52; ++k) {
            QVERIFY(packSuit[k] >= 1 && packSuit[k] <= 4);
            QVERIFY(packRank[k] >= 1 && packRank[k] <= 13);
            cards.insert(packSuit[k] * 100 + packRank[k]);
        }
        QCOMPARE(cards.size(), 52);
    }
}

void TestTable::fixedClockDealsTheSameGame()
{
    fixClock(42);
    frmMain->cmdNew->click();
    int16_t firstSuit[52], firstRank[52];
    std::copy(packSuit, packSuit + 52, firstSuit);
    std::copy(packRank, packRank + 52, firstRank);
    frmMain->cmdNew->click();
    QVERIFY(std::equal(firstSuit, firstSuit + 52, packSuit));
    QVERIFY(std::equal(firstRank, firstRank + 52, packRank));
    fixClock(43);
    frmMain->cmdNew->click();
    QVERIFY(!std::equal(firstSuit, firstSuit + 52, packSuit) ||
            !std::equal(firstRank, firstRank + 52, packRank));
}

void TestTable::startShowsTheDealtTable()
{
    QCOMPARE(packPosition, int16_t(1));
    QCOMPARE(gridState[2][2], 2);
    QCOMPARE(gridSuit[2][2], packSuit[0]);
    QCOMPARE(gridRank[2][2], packRank[0]);
    QCOMPARE(frmMain->imgCard[12]->picture(), cardPicture(packSuit[0], packRank[0]));
    for (int i = 0; i < 25; ++i) {
        const int expected = i == 12 ? 2 : (i == 7 || i == 17 || i == 11 || i == 13) ? 1 : 0;
        QCOMPARE(gridState[i % 5][i / 5], expected);
    }
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Current Score: 0"));
    QCOMPARE(frmMain->lblCombination->text(), QString());
    QCOMPARE(frmMain->imgPack->picture(), cardPicture(packSuit[1], packRank[1]));
    QCOMPARE(frmMain->imgNextCard->picture(), cardPicture(packSuit[2], packRank[2]));
    QCOMPARE(checkInvariants(), QString());
}

// A pixel well inside a cell that the hatching crosses, found by its colour.
static QPoint findHatchPixel(const QImage &image, const QRect &cell, QRgb hatch)
{
    for (int y = cell.top() + 20; y < cell.bottom() - 20; ++y) {
        for (int x = cell.left() + 20; x < cell.right() - 20; ++x) {
            if (image.pixel(x, y) == hatch)
                return {x, y};
        }
    }
    return {-1, -1};
}

// How many of a card's opaque pixels the window does not show as they are.
static int hiddenCardPixels(const QImage &window, const ImageControl *image)
{
    const QImage card = image->picture().convertToFormat(QImage::Format_ARGB32);
    int hidden = 0;
    for (int y = 0; y < card.height(); ++y) {
        for (int x = 0; x < card.width(); ++x) {
            const QRgb pixel = card.pixel(x, y);
            if (qAlpha(pixel) == 255 && window.pixel(image->pos() + QPoint(x, y)) != pixel)
                ++hidden;
        }
    }
    return hidden;
}

void TestTable::cellsLookAsTheirStates()
{
    const QImage image = grabWindow();
    const QRgb background = qRgb(0xF1, 0xFF, 0xF1);
    // Unavailable (0, 0), available (2, 1): hatching of their shade with the background between.
    const struct {
        int index;
        QRgb shade;
    } emptyCells[] = {{0, qRgb(0xE0, 0xE0, 0xE0)}, {7, qRgb(0xC0, 0xC0, 0xC0)}};
    for (const auto &cell : emptyCells) {
        const QRect rect = frmMain->imgCard[cell.index]->geometry();
        const QPoint hatch = findHatchPixel(image, rect, cell.shade);
        QVERIFY2(hatch.x() >= 0, qPrintable(QStringLiteral("no hatching in cell %1").arg(cell.index)));
        QCOMPARE(image.pixel(hatch + QPoint(1, 0)), background);
        // The straight part of the outline, one pixel wide, in the same shade.
        QCOMPARE(image.pixel(rect.center().x(), rect.top()), cell.shade);
        QCOMPARE(image.pixel(rect.left(), rect.center().y()), cell.shade);
        QCOMPARE(image.pixel(rect.center().x(), rect.top() + 1) == cell.shade, false);
    }
    // The occupied centre shows its card on white, as does the next-card place.
    QCOMPARE(hiddenCardPixels(image, frmMain->imgCard[12]), 0);
    QCOMPARE(hiddenCardPixels(image, frmMain->imgNextCard), 0);
    const QPoint centre = frmMain->imgCard[12]->pos();
    QCOMPARE(image.pixel(centre + QPoint(1, 1)), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(centre + QPoint(0, 0)), background);
}

void TestTable::hatchRunsDownToTheRight()
{
    const QImage image = grabWindow();
    const QRgb shade = qRgb(0xE0, 0xE0, 0xE0);
    const QRect rect = frmMain->imgCard[0]->geometry();
    const QPoint p = findHatchPixel(image, rect, shade);
    QVERIFY(p.x() >= 0);
    // Lines from the top left down to the bottom right: the next pixel of a line lies one to the
    // right and one down, not one to the right and one up.
    for (int step = 1; step <= 6; ++step)
        QCOMPARE(image.pixel(p + QPoint(step, step)), shade);
    QVERIFY(image.pixel(p + QPoint(1, -1)) != shade);
    QVERIFY(image.pixel(p + QPoint(-1, 1)) != shade);
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

void TestTable::pointerKeepsItsShapeInTheGaps()
{
    hoverCell(0);
    const auto shape = [] { return QApplication::overrideCursor()->shape(); };
    QCOMPARE(shape(), Qt::ForbiddenCursor);
    // The left margin and the gaps keep the shape the grid set.
    movePointer(QPoint(3, 200));
    QCOMPARE(shape(), Qt::ForbiddenCursor);
    movePointer(QPoint(frmMain->imgCard[1]->x() - 4, 300));
    QCOMPARE(shape(), Qt::ForbiddenCursor);
    // The right-hand panel brings the arrow back...
    movePointer(QPoint(500, 200));
    QCOMPARE(shape(), Qt::ArrowCursor);
    // ...and so does the strip above the grid.
    hoverCell(0);
    movePointer(QPoint(100, 3));
    QCOMPARE(shape(), Qt::ArrowCursor);
    // Just left of the panel's edge (6220 twips) the shape stays. The waiting card covers cell 0
    // now and takes the pointer's moves there, so another cell sets the shape.
    hoverCell(5);
    movePointer(QPoint(6220 / 15, 300));
    QCOMPARE(shape(), Qt::ForbiddenCursor);
}

void TestTable::waitingCardStaysWhenPointerLeaves()
{
    hoverCell(13);
    movePointer(QPoint(500, 450));
    QCOMPARE(int(targetCell), 13);
    QCOMPARE(frmMain->imgPack->pos(), frmMain->imgCard[13]->pos());
    QVERIFY(frmMain->imgPack->isVisible());
    // A click on it still places the card in that cell.
    const int16_t suit = packSuit[1];
    clickWaitingCard();
    QCOMPARE(gridSuit[3][2], suit);
}

void TestTable::newGameKeepsTargetAndTopScores()
{
    placeOn(7);
    hoverCell(17);
    topName[0] = "Ada";
    topScore[0] = 123;
    playerName = "Ada";
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(int(targetCell), 17);
    QCOMPARE(frmMain->imgPack->pos(), frmMain->imgCard[17]->pos());
    QCOMPARE(frmMain->imgPack->picture(), cardPicture(packSuit[1], packRank[1]));
    QCOMPARE(topName[0], std::string("Ada"));
    QCOMPARE(topScore[0], int16_t(123));
    QCOMPARE(playerName, std::string("Ada"));
    QCOMPARE(lastCellX, int16_t(-1));
    QCOMPARE(checkInvariants(), QString());
    topName[0].clear();
    topScore[0] = 0;
}

void TestTable::windowHasItsDesignedSize()
{
    QCOMPARE(frmMain->size(), QSize(628, 529));
    QCOMPARE(frmMain->imgCard[24]->geometry(), QRect(8 + 79 * 4, 8 + 104 * 4, 71, 96));
    QCOMPARE(frmMain->cmdQuit->geometry(), QRect(548, 288, 57, 25));
    QCOMPARE(frmMain->windowTitle(), QStringLiteral("Tallyfive"));
    // Every label's text fits its width.
    for (LabelControl *label : frmMain->findChildren<LabelControl *>())
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
}

void TestTable::accessKeysPressTheButtons()
{
    placeOn(7);
    QCOMPARE(packPosition, int16_t(2));
    QTest::keyClick(frmMain->windowHandle(), Qt::Key_N, Qt::AltModifier);
    // An access key presses its button visibly, and the click follows a moment later.
    QTRY_COMPARE(packPosition, int16_t(1));
    QCOMPARE(gridState[2][1], 1);
    QCOMPARE(frmMain->cmdQuit->shortcut(), QKeySequence(QStringLiteral("Alt+Q")));
    QCOMPARE(frmMain->cmdScoring->shortcut(), QKeySequence(QStringLiteral("Alt+S")));
}

struct ProgramEnded {
    int status;
};

[[noreturn]] static void throwInsteadOfEnding(int status)
{
    throw ProgramEnded{status};
}

void TestTable::missingPictureChangesNothing_data()
{
    QTest::addColumn<bool>("placing");
    QTest::newRow("laying a card in a cell") << true;
    QTest::newRow("drawing the next card") << false;
}

// A card picture that cannot be loaded stops the routine before anything has changed, and the
// player is told which file it was.
void TestTable::missingPictureChangesNothing()
{
    QFETCH(bool, placing);
    const Snapshot before = takeSnapshot();
    QTemporaryDir emptyFolder;
    platform::setExecutableFolderForTesting(emptyFolder.path());
    platform::endProgram = throwInsteadOfEnding;
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
            frmMain->setCellOccupied(2, 1, packSuit[1], packRank[1]);
        else
            frmMain->drawCardFromPack();
    } catch (const ProgramEnded &ended) {
        status = ended.status;
    }
    platform::setExecutableFolderForTesting(QString());
    QCOMPARE(status, 1);
    QVERIFY2(message.contains(emptyFolder.path() + QStringLiteral("/Pack")), qPrintable(message));
    QCOMPARE(differences(before, takeSnapshot()), QString());
}

QTEST_MAIN(TestTable)
#include "tst_table.moc"
