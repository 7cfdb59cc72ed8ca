// The end of whole games played with the pointer: which totals ask for a name, where the new entry
// goes, what the dialog offers the second time, and the scoring window open all the while.
#include "support/testSupport.h"

#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "state/modInitialize.h"
#include "topscores/FrmScoring.h"
#include "topscores/FrmTopScore.h"
#include "topscores/nameText.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace modInitialize;
using namespace testSupport;

namespace
{

constexpr uint64_t theDeal = 4242;

// The entries of a table of these scores, in the form of describeTopScores; those that hold a
// score are named A to E by their place.
QStringList entries(const QList<int> &scores)
{
    QStringList table;
    for (int n = 0; n < 5; ++n)
        table.append(scores[n] > 0 ? QStringLiteral("%1 %2").arg(scores[n]).arg(QChar('A' + n))
                                   : QString::number(scores[n]));
    return table;
}

// Each cell touches one filled before it.
const int plainOrder[25] = {12, 11, 10, 13, 14, 7,  2,  6,  1,  5,  0,  8, 3,
                            9,  4,  17, 22, 16, 21, 15, 20, 18, 23, 19, 24};

// Stacks the pack so that playing plainOrder lays a table on which no line scores: each line holds
// five different odd ranks, so no pair and no straight, in more than one suit.
void stackThePlainTable()
{
    static const int16_t oddRanks[7] = {1, 3, 5, 7, 9, 11, 13};
    for (int k = 0; k < 25; ++k) {
        const int x = plainOrder[k] % 5, y = plainOrder[k] / 5;
        packRank[k] = oddRanks[(x + 2 * y) % 7];
        packSuit[k] = static_cast<int16_t>(1 + (x + y) % 4);
    }
    frmMain->setCellOccupied(2, 2, packSuit[0], packRank[0]);
    packPosition = 0;
    frmMain->drawCardFromPack();
}

// What the dialog offered, if the last card opened it.
struct Ending {
    bool dialogOpened = false;
    QString offeredName;
    QString offeredSelection;
    bool nameBoxHadFocus = false;
};

// Plays each card to the first cell that can take it, or the plain table in its order; the
// dialog, if the last card opens it, is answered by `answer`.
Ending playToTheEnd(const std::function<void(FrmTopScore *)> &answer, bool plain = false)
{
    if (plain)
        stackThePlainTable();
    const auto nextCell = [plain] { return plain ? plainOrder[packPosition] : availableCells().first(); };
    while (packPosition < 24)
        placeOn(nextCell());
    hoverCell(nextCell());
    Ending ending;
    ending.dialogOpened = answerTopScoreDialog(clickWaitingCard, [&ending, &answer](FrmTopScore *dialog) {
        ending.offeredName = dialog->txtName->text();
        ending.offeredSelection = dialog->txtName->selectedText();
        ending.nameBoxHadFocus = QApplication::focusWidget() == dialog->txtName;
        answer(dialog);
    });
    return ending;
}

std::function<void(FrmTopScore *)> enter(const QString &name)
{
    return [name](FrmTopScore *dialog) {
        QTest::keyClicks(dialog->txtName, name);
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
    };
}

} // namespace

class TestEndOfGame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void whichTotalsAskForAName_data();
    void whichTotalsAskForAName();
    void secondTopScoreOfARun_data();
    void secondTopScoreOfARun();

private:
    int16_t m_total = 0; // the final total of the deal played with the first-cell moves
};

void TestEndOfGame::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(theDeal);
    openGame();
    setTopScores(topScoresNoneBeats);
    QVERIFY(!playToTheEnd([](FrmTopScore *) {}).dialogOpened);
    m_total = totalScore;
    QVERIFY2(m_total >= 6, "the deal needs a total that leaves room below it");
}

void TestEndOfGame::init()
{
    fixClock(theDeal);
    openGame();
    playerName.clear();
}

void TestEndOfGame::cleanup()
{
    delete frmScoring;
}

void TestEndOfGame::whichTotalsAskForAName_data()
{
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<bool>("plain");    // the table on which no line scores, for a total of 0
    QTest::addColumn<QString>("order"); // the entries afterwards by their names before; N is new

    const int t = m_total;
    const auto row = [](const char *tag, const QList<int> &scores, const char *order, bool plain = false) {
        QTest::newRow(tag) << scores << plain << QString::fromLatin1(order);
    };
    row("equal to the lowest", {t + 40, t + 30, t + 20, t + 10, t}, "ABCDE");
    row("one above the lowest", {t + 40, t + 30, t + 20, t + 10, t - 1}, "ABCDN");
    row("equal to every entry", {t, t, t, t, t}, "ABCDE");
    row("lowest entry out of order", {t + 1, t - 1, t + 1, t + 1, t + 1}, "ANBCD");
    row("negative entry", {t + 9, t + 8, t + 7, t + 6, -5}, "ABCDN");
    row("at the top of a full table", {t - 1, t - 2, t - 3, t - 4, t - 5}, "NABCD");
    row("below the equal scores", {t + 2, t, t, t - 1, t - 2}, "ABCND");
    row("first entry of an empty table", {0, 0, 0, 0, 0}, "NABCD");
    row("zero total on an empty table", {0, 0, 0, 0, 0}, "ABCDE", true);
}

void TestEndOfGame::whichTotalsAskForAName()
{
    QFETCH(QList<int>, scores);
    QFETCH(bool, plain);
    QFETCH(QString, order);
    storeTopScores(entries(scores).join(QStringLiteral(", ")));

    const Ending ending = playToTheEnd(enter(QStringLiteral("Newcomer")), plain);

    const int16_t total = plain ? 0 : m_total;
    QCOMPARE(totalScore, total);
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Total: %1").arg(total));
    const bool asks = order.contains(QLatin1Char('N'));
    QCOMPARE(ending.dialogOpened, asks);
    QCOMPARE(ending.nameBoxHadFocus, asks);
    QCOMPARE(frmMain->focusWidget(), frmMain->cmdNew);
    QVERIFY(!frmTopScore);
    QStringList expected;
    for (QChar name : order)
        expected.append(name == QLatin1Char('N') ? QStringLiteral("%1 Newcomer").arg(total)
                                                 : entries(scores)[name.unicode() - 'A']);
    QCOMPARE(describeTopScores(), expected.join(QStringLiteral(", ")));
    QCOMPARE(nameToText(playerName), asks ? QStringLiteral("Newcomer") : QString());
}

void TestEndOfGame::secondTopScoreOfARun_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entered");

    QTest::newRow("Enter at once re-uses the name") << QString() << QStringLiteral("Marguerite");
    QTest::newRow("typing replaces the name") << QStringLiteral("Bo") << QStringLiteral("Bo");
}

void TestEndOfGame::secondTopScoreOfARun()
{
    QFETCH(QString, typed);
    QFETCH(QString, entered);
    storeTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    const Ending first = playToTheEnd(enter(QStringLiteral("Marguerite")));
    QVERIFY(first.dialogOpened);
    QCOMPARE(first.offeredName, QString());

    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Current Score: 0"));
    // The second game is played with the scoring window open, which follows the new entry.
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    const Ending second = playToTheEnd(enter(typed));

    QVERIFY(second.dialogOpened);
    QCOMPARE(second.offeredName, QStringLiteral("Marguerite"));
    QCOMPARE(second.offeredSelection, QStringLiteral("Marguerite"));
    QCOMPARE(describeTopScores(), QStringLiteral("%1 Marguerite, %1 %2, 0, 0, 0").arg(m_total).arg(entered));
    QVERIFY(frmScoring && frmScoring->isVisible());
    QCOMPARE(frmScoring->lblTopName[1]->text(), entered);
}

QTEST_MAIN(TestEndOfGame)
#include "tst_endofgame.moc"
