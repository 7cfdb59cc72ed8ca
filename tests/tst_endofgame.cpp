// The end of whole games played with the pointer: which totals ask for a name, where the new entry
// goes, what the dialog offers the second time, and the table on disk and in the scoring window.
#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"
#include "topscores/FrmScoring.h"
#include "topscores/FrmTopScore.h"
#include "topscores/nameText.h"
#include "topscores/topScoreStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace modInitialize;
using namespace testSupport;

namespace
{

constexpr uint64_t theDeal = 4242;

struct Entry {
    QString name;
    int score;
};
using Table = QList<Entry>;

// A table as one line of text, so that a failure shows both tables whole.
QString describe(const Table &table)
{
    QStringList entries;
    for (const Entry &entry : table)
        entries.append(QStringLiteral("%1 \"%2\"").arg(entry.score).arg(entry.name));
    return entries.join(QStringLiteral(", "));
}

void setTable(const Table &table)
{
    for (int n = 0; n < 5; ++n) {
        topName[n] = textToName(table[n].name);
        topScore[n] = static_cast<int16_t>(table[n].score);
    }
}

Table currentTable()
{
    Table table;
    for (int n = 0; n < 5; ++n)
        table.append({nameToText(topName[n]), topScore[n]});
    return table;
}

Table scoresOnly(std::initializer_list<int> scores)
{
    Table table;
    for (int score : scores)
        table.append({score > 0 ? QStringLiteral("Entry %1").arg(table.size()) : QString(), score});
    return table;
}

// Where the game stands when the dialog has closed, or would have opened.
struct Ending {
    bool dialogOpened = false;
    QString offeredName;
    QString offeredSelection;
    bool nameBoxHadFocus = false;
};

// The same moves every time: the first cell that can take the card.
void playAllButTheLastCard()
{
    while (packPosition < 24)
        placeOn(availableCells().first());
}

// Places the 24th card; the dialog, if it opens, is answered from a queued call by `answer`.
Ending placeTheLastCard(const std::function<void(FrmTopScore *)> &answer)
{
    Ending ending;
    hoverCell(availableCells().first());
    QTimer::singleShot(0, frmMain, [&ending, answer] {
        auto *dialog = qobject_cast<FrmTopScore *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ending.dialogOpened = true;
        // A dialog counts as active while its owner still is, so this waits for the dialog itself.
        if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
            qWarning("the top-score dialog did not become active");
        ending.offeredName = dialog->txtName->text();
        ending.offeredSelection = dialog->txtName->selectedText();
        ending.nameBoxHadFocus = QApplication::focusWidget() == dialog->txtName;
        answer(dialog);
        // A dialog the answer left open would hold the test forever.
        if (frmTopScore && frmTopScore->isVisible())
            frmTopScore->reject();
    });
    clickWaitingCard();
    return ending;
}

Ending playToTheEnd(const std::function<void(FrmTopScore *)> &answer)
{
    playAllButTheLastCard();
    return placeTheLastCard(answer);
}

void typeAndPressEnter(FrmTopScore *dialog, const QString &name)
{
    // Typed where the focus is; a dialog opened without focus in its name box is caught apart.
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClicks(focus && focus->window() == dialog ? focus : dialog->txtName, name);
    QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
}

void closeByTheCloseBox(FrmTopScore *dialog)
{
    dialog->windowHandle()->close();
}

// A table with no pair, flush or straight in any line: odd ranks only, each line of five
// different ranks, suits turning so no line keeps one suit.
int16_t plainRank(int cell)
{
    static const int16_t oddRanks[7] = {1, 3, 5, 7, 9, 11, 13};
    return oddRanks[(cell % 5 + 2 * (cell / 5)) % 7];
}

int16_t plainSuit(int cell)
{
    return static_cast<int16_t>(1 + (cell % 5 + 3 * (cell / 5)) % 4);
}

// Each cell touches one filled before it.
const int plainOrder[25] = {12, 11, 10, 13, 14, 7,  2,  6,  1,  5,  0,  8, 3,
                            9,  4,  17, 22, 16, 21, 15, 20, 18, 23, 19, 24};

// Stacks the pack so that playing plainOrder lays the plain table, centre card included.
void stackThePlainTable()
{
    for (int k = 0; k < 25; ++k) {
        packSuit[k] = plainSuit(plainOrder[k]);
        packRank[k] = plainRank(plainOrder[k]);
    }
    packSuit[25] = 1;
    packRank[25] = 2;
    frmMain->setCellOccupied(2, 2, packSuit[0], packRank[0]);
    packPosition = 0;
    frmMain->drawCardFromPack();
}

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestEndOfGame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void whichTotalsAskForAName_data();
    void whichTotalsAskForAName();
    void zeroTotalOnAnEmptyTable();
    void newEntryTakesItsPlace_data();
    void newEntryTakesItsPlace();
    void secondTopScoreOfARun_data();
    void secondTopScoreOfARun();
    void nothingToUndoAfterTheDialog();
    void wholeGameToTheScoringWindow();

private:
    int16_t m_total = 0; // the final total of the deal played with the first-cell moves
};

void TestEndOfGame::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(theDeal);
    openGame();
    setTable(scoresOnly({1000, 1000, 1000, 1000, 1000}));
    const Ending ending = playToTheEnd([](FrmTopScore *) {});
    QVERIFY(!ending.dialogOpened);
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
    QTest::addColumn<Table>("table");
    QTest::addColumn<bool>("asks");

    const int t = m_total;
    QTest::newRow("equal to the lowest") << scoresOnly({t + 40, t + 30, t + 20, t + 10, t}) << false;
    QTest::newRow("one above the lowest") << scoresOnly({t + 40, t + 30, t + 20, t + 10, t - 1}) << true;
    QTest::newRow("equal to every entry") << scoresOnly({t, t, t, t, t}) << false;
    QTest::newRow("lowest entry out of order") << scoresOnly({t + 1, t - 1, t + 1, t + 1, t + 1}) << true;
    QTest::newRow("negative entry") << scoresOnly({t + 9, t + 8, t + 7, t + 6, -5}) << true;
    QTest::newRow("empty table") << scoresOnly({0, 0, 0, 0, 0}) << true;
}

void TestEndOfGame::whichTotalsAskForAName()
{
    QFETCH(Table, table);
    QFETCH(bool, asks);
    setTable(table);

    const Ending ending = playToTheEnd(closeByTheCloseBox);

    QCOMPARE(totalScore, m_total);
    QCOMPARE(ending.dialogOpened, asks);
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Total: %1").arg(m_total));
    QCOMPARE(describe(currentTable()), describe(table));
    QCOMPARE(frmMain->focusWidget(), frmMain->cmdNew);
    QVERIFY(!frmTopScore);
}

void TestEndOfGame::zeroTotalOnAnEmptyTable()
{
    setTable(scoresOnly({0, 0, 0, 0, 0}));
    stackThePlainTable();
    for (int k = 1; k < 24; ++k)
        placeOn(plainOrder[k]);
    const Ending ending = placeTheLastCard(closeByTheCloseBox);

    QCOMPARE(packPosition, int16_t(25));
    QCOMPARE(totalScore, int16_t(0));
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Total: 0"));
    QVERIFY(!ending.dialogOpened);
}

void TestEndOfGame::newEntryTakesItsPlace_data()
{
    QTest::addColumn<Table>("before");
    QTest::addColumn<Table>("after");

    const int t = m_total;
    const Table full = {{"Ann", t - 1}, {"Ben", t - 2}, {"Cy", t - 3}, {"Di", t - 4}, {"Ed", t - 5}};
    QTest::newRow("at the top of a full table")
        << full << Table{{"Newcomer", t}, {"Ann", t - 1}, {"Ben", t - 2}, {"Cy", t - 3}, {"Di", t - 4}};
    QTest::newRow("in place of the last entry")
        << Table{{"Ann", t + 4}, {"Ben", t + 3}, {"Cy", t + 2}, {"Di", t + 1}, {"Ed", t - 1}}
        << Table{{"Ann", t + 4}, {"Ben", t + 3}, {"Cy", t + 2}, {"Di", t + 1}, {"Newcomer", t}};
    QTest::newRow("below the equal scores")
        << Table{{"Ann", t + 2}, {"Ben", t}, {"Cy", t}, {"Di", t - 1}, {"Ed", t - 2}}
        << Table{{"Ann", t + 2}, {"Ben", t}, {"Cy", t}, {"Newcomer", t}, {"Di", t - 1}};
    QTest::newRow("first entry of an empty table")
        << scoresOnly({0, 0, 0, 0, 0}) << Table{{"Newcomer", t}, {"", 0}, {"", 0}, {"", 0}, {"", 0}};
}

void TestEndOfGame::newEntryTakesItsPlace()
{
    QFETCH(Table, before);
    QFETCH(Table, after);
    setTable(before);

    const Ending ending =
        playToTheEnd([](FrmTopScore *dialog) { typeAndPressEnter(dialog, QStringLiteral("Newcomer")); });

    QVERIFY(ending.dialogOpened);
    QVERIFY(ending.nameBoxHadFocus);
    QCOMPARE(describe(currentTable()), describe(after));
    QCOMPARE(nameToText(playerName), QStringLiteral("Newcomer"));
    QCOMPARE(frmMain->focusWidget(), frmMain->cmdNew);
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
    setTable(scoresOnly({0, 0, 0, 0, 0}));
    const Ending first =
        playToTheEnd([](FrmTopScore *dialog) { typeAndPressEnter(dialog, QStringLiteral("Marguerite")); });
    QVERIFY(first.dialogOpened);
    QCOMPARE(first.offeredName, QString());

    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Current Score: 0"));
    const Ending second = playToTheEnd([typed](FrmTopScore *dialog) { typeAndPressEnter(dialog, typed); });

    QVERIFY(second.dialogOpened);
    QCOMPARE(second.offeredName, QStringLiteral("Marguerite"));
    QCOMPARE(second.offeredSelection, QStringLiteral("Marguerite"));
    QCOMPARE(describe(currentTable().mid(0, 2)), describe({{"Marguerite", m_total}, {entered, m_total}}));
}

// The move record is cleared before the dialog opens, so nothing of the game comes back after it.
void TestEndOfGame::nothingToUndoAfterTheDialog()
{
    setTable(scoresOnly({0, 0, 0, 0, 0}));
    const Ending ending =
        playToTheEnd([](FrmTopScore *dialog) { typeAndPressEnter(dialog, QStringLiteral("Undone")); });
    QVERIFY(ending.dialogOpened);

    const Snapshot over = takeSnapshot();
    pressUndo();
    QVERIFY2(differences(over, takeSnapshot()).isEmpty(), qPrintable(differences(over, takeSnapshot())));
    QVERIFY(frmMain->imgPack->picture().isNull());
    QCOMPARE(topScore[0], m_total);
}

void TestEndOfGame::wholeGameToTheScoringWindow()
{
    // A full table, so that the save writes every entry whatever earlier games left on disk.
    const int t = m_total;
    setTable({{"Ann", t - 1}, {"Ben", t - 2}, {"Cy", t - 3}, {"Di", t - 4}, {"Ed", t - 5}});
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    QVERIFY(frmScoring && frmScoring->isVisible());
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));

    const Ending ending =
        playToTheEnd([](FrmTopScore *dialog) { typeAndPressEnter(dialog, QStringLiteral("Winifred")); });

    QVERIFY(ending.dialogOpened);
    QCOMPARE(frmScoring->lblTopName[0]->text(), QStringLiteral("Winifred"));
    QCOMPARE(frmScoring->lblTopScore[0]->text(), QString::number(m_total));
    QCOMPARE(frmScoring->frameGeometry().top(), frmMain->frameGeometry().top());

    const Table entered = currentTable();
    setTable(scoresOnly({0, 0, 0, 0, 0}));
    loadTopScores();
    QCOMPARE(describe(currentTable()), describe(entered));
}

QTEST_MAIN(TestEndOfGame)
#include "tst_endofgame.moc"
