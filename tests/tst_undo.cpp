// Taking back the last placement with Ctrl+Z: what it restores, when there is nothing to take
// back, which orders of key presses and releases undo, and the keys reaching the window whichever
// button has the focus.
#include "support/testSupport.h"

#include "game/FrmMain.h"
#include "game/modInitialize.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <random>

using namespace modInitialize;
using namespace testSupport;

namespace
{

void sendRepeatedZ(QEvent::Type type)
{
    QKeyEvent repeat(type, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"), true);
    QApplication::sendEvent(QApplication::focusWidget(), &repeat);
}

// Places on random open cells with a chooser of the test's own.
void placeRandomly(std::mt19937 &choose, int moves)
{
    for (int move = 0; move < moves; ++move) {
        const QList<int> cells = availableCells();
        placeOn(cells[static_cast<int>(choose() % cells.size())]);
    }
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void undoGivesBackTheTableBeforeTheMove_data();
    void undoGivesBackTheTableBeforeTheMove();
    void undoWithNothingRecorded_data();
    void undoWithNothingRecorded();
    void keyOrders_data();
    void keyOrders();
    void ctrlZWhicheverButtonHasTheFocus_data();
    void ctrlZWhicheverButtonHasTheFocus();
    void heldKeysUndoOnceOnTheRealRelease();
};

void TestUndo::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(4242);
    openGame();
    keepTopScoresHigh();
}

void TestUndo::init()
{
    fixClock(4242);
    openGame();
    keepTopScoresHigh();
    // The flag outlives games; each test starts with Ctrl up.
    ctrlKeyDown = False;
    frmMain->cmdScoring->setFocus();
}

void TestUndo::undoGivesBackTheTableBeforeTheMove_data()
{
    QTest::addColumn<quint64>("clock");
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("movesBefore");
    QTest::newRow("first move") << quint64(4242) << 1u << 0;
    QTest::newRow("second move") << quint64(5) << 2u << 1;
    QTest::newRow("early game") << quint64(6) << 3u << 5;
    QTest::newRow("mid game") << quint64(7) << 4u << 12;
    QTest::newRow("late game") << quint64(8) << 5u << 20;
    // With two cells left, the move fills a row or a column, or both.
    QTest::newRow("completing a line") << quint64(9) << 6u << 22;
    QTest::newRow("completing a line, other deal") << quint64(10) << 7u << 22;
}

void TestUndo::undoGivesBackTheTableBeforeTheMove()
{
    QFETCH(quint64, clock);
    QFETCH(uint, seed);
    QFETCH(int, movesBefore);
    fixClock(clock);
    frmMain->Form_Load();
    std::mt19937 choose(seed);
    placeRandomly(choose, movesBefore);

    const QList<int> cells = availableCells();
    const int cell = cells[static_cast<int>(choose() % cells.size())];
    hoverCell(cell);
    const Snapshot before = takeSnapshot();
    clickWaitingCard();
    const Snapshot placed = takeSnapshot();
    QCOMPARE(placed.packPosition, int16_t(before.packPosition + 1));

    pressUndo();
    QString fault = differencesAfterUndo(before, cell % 5, cell / 5);
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after the undo: ") + fault));
    QCOMPARE(lastCellX, int16_t(-1));
    QCOMPARE(lastCellY, int16_t(-1));
    fault = checkInvariants();
    QVERIFY2(fault.isEmpty(), qPrintable(fault));

    // The card taken back waits over its cell again; placing it there gives the same table.
    clickWaitingCard();
    fault = differences(placed, takeSnapshot());
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("placed again: ") + fault));
    QCOMPARE(lastCellX, int16_t(cell % 5));
    QCOMPARE(lastCellY, int16_t(cell / 5));
}

void TestUndo::undoWithNothingRecorded_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<int>("undosFirst");
    QTest::addColumn<bool>("newGameFirst");
    QTest::newRow("dealt table") << QList<int>() << 0 << false;
    QTest::newRow("twice in a row") << QList<int>{7} << 1 << false;
    QTest::newRow("twice in a row, later") << QList<int>{7, 2, 3} << 1 << false;
    QTest::newRow("after New in mid-game") << QList<int>{7, 2} << 0 << true;
    QTest::newRow("after an undo and New") << QList<int>{7, 2} << 1 << true;
}

void TestUndo::undoWithNothingRecorded()
{
    QFETCH(QList<int>, moves);
    QFETCH(int, undosFirst);
    QFETCH(bool, newGameFirst);
    for (int cell : moves)
        placeOn(cell);
    for (int undo = 0; undo < undosFirst; ++undo)
        pressUndo();
    if (newGameFirst)
        QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(lastCellX, int16_t(-1));

    const Snapshot before = takeSnapshot();
    pressUndo();
    const QString fault = differences(before, takeSnapshot());
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("undo with nothing recorded changed ") + fault));
}

void TestUndo::keyOrders_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("undoes");
    QTest::newRow("Ctrl+Z") << "+Ctrl/c +Z/c -Z/c -Ctrl" << true;
    QTest::newRow("Z, then Ctrl, Z up first") << "+Z +Ctrl/c -Z/c -Ctrl" << true;
    QTest::newRow("Ctrl up before Z") << "+Ctrl/c +Z/c -Ctrl -Z" << false;
    QTest::newRow("Ctrl+Shift+Z") << "+Ctrl/c +Shift/cs +Z/cs -Z/cs -Shift/c -Ctrl" << true;
    QTest::newRow("Ctrl+Alt+Z") << "+Ctrl/c +Alt/ca +Z/ca -Z/ca -Alt/c -Ctrl" << true;
    QTest::newRow("plain Z") << "+Z -Z" << false;
    QTest::newRow("Ctrl and Z down only") << "+Ctrl/c +Z/c" << false;
    QTest::newRow("Ctrl+A") << "+Ctrl/c +A/c -A/c -Ctrl" << false;
    QTest::newRow("Z up reported without Ctrl") << "+Ctrl/c +Z/c -Z" << false;
    QTest::newRow("Ctrl tapped, then Z") << "+Ctrl/c -Ctrl +Z -Z" << false;
    QTest::newRow("Ctrl held over two Z") << "+Ctrl/c +Z/c -Z/c +Z/c -Z/c -Ctrl" << true;
}

void TestUndo::keyOrders()
{
    QFETCH(QString, keys);
    QFETCH(bool, undoes);
    placeOn(11);
    placeOn(10);
    hoverCell(16);
    const Snapshot before = takeSnapshot();
    clickWaitingCard();
    const Snapshot placed = takeSnapshot();

    sendKeys(keys);
    const QString fault = undoes ? differencesAfterUndo(before, 1, 3) : differences(placed, takeSnapshot());
    QVERIFY2(fault.isEmpty(),
             qPrintable((undoes ? QStringLiteral("not undone: ") : QStringLiteral("undone: ")) + fault));
}

void TestUndo::ctrlZWhicheverButtonHasTheFocus_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Scoring") << "cmdScoring";
    QTest::newRow("New") << "cmdNew";
    QTest::newRow("Quit") << "cmdQuit";
}

void TestUndo::ctrlZWhicheverButtonHasTheFocus()
{
    QFETCH(QString, button);
    QPushButton *focus = button == QLatin1String("cmdScoring") ? frmMain->cmdScoring
                         : button == QLatin1String("cmdNew")   ? frmMain->cmdNew
                                                               : frmMain->cmdQuit;
    placeOn(13);
    hoverCell(8);
    const Snapshot before = takeSnapshot();
    clickWaitingCard();
    focus->setFocus();
    QCOMPARE(QApplication::focusWidget(), focus);

    pressUndo();
    const QString fault = differencesAfterUndo(before, 3, 1);
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("not undone: ") + fault));
    QCOMPARE(QApplication::focusWidget(), focus);
}

void TestUndo::heldKeysUndoOnceOnTheRealRelease()
{
    placeOn(17);
    hoverCell(22);
    const Snapshot before = takeSnapshot();
    clickWaitingCard();
    const Snapshot placed = takeSnapshot();

    QVERIFY2(QApplication::focusWidget(), "no widget has the keyboard focus");
    sendKeys(QStringLiteral("+Ctrl/c +Z/c"));
    for (int repeat = 0; repeat < 5; ++repeat) {
        sendRepeatedZ(QEvent::KeyRelease);
        sendRepeatedZ(QEvent::KeyPress);
    }
    QString fault = differences(placed, takeSnapshot());
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("undone while the key repeated: ") + fault));

    sendKeys(QStringLiteral("-Z/c"));
    fault = differencesAfterUndo(before, 2, 4);
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("not undone on the release: ") + fault));
    sendKeys(QStringLiteral("-Ctrl"));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
