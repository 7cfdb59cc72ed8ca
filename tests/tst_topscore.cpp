// The top-score dialog on its own: how it looks, how each way of answering it treats the table,
// the names it takes, the table it leaves on disk, and the scoring window it brings up to date.
#include "support/testSupport.h"

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
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace modInitialize;
using namespace testSupport;

namespace
{

// The table as one line of text, so that a failure shows it whole.
QString describeTable()
{
    QStringList entries;
    for (int n = 0; n < 5; ++n)
        entries.append(QStringLiteral("%1 \"%2\"").arg(topScore[n]).arg(nameToText(topName[n])));
    return entries.join(QStringLiteral(", "));
}

// A full table of five made-up entries from 50 down to 10.
void fillTable()
{
    const char *names[5] = {"Ann", "Ben", "Cy", "Di", "Ed"};
    for (int n = 0; n < 5; ++n) {
        topName[n] = names[n];
        topScore[n] = static_cast<int16_t>(50 - 10 * n);
    }
}

void emptyTable()
{
    for (int n = 0; n < 5; ++n) {
        topName[n].clear();
        topScore[n] = 0;
    }
}

// The table as the store gives it back now; the table in memory is left as it was.
QString describeStoredTable()
{
    std::string names[5];
    int16_t scores[5];
    std::copy(topName, topName + 5, names);
    std::copy(topScore, topScore + 5, scores);
    emptyTable();
    loadTopScores();
    const QString stored = describeTable();
    std::copy(names, names + 5, topName);
    std::copy(scores, scores + 5, topScore);
    return stored;
}

// Opens the dialog as a game end does; `answer` runs from a queued call once it is active.
bool openAndAnswer(const std::function<void(FrmTopScore *)> &answer)
{
    bool opened = false;
    QTimer::singleShot(0, frmMain, [&opened, answer] {
        auto *dialog = qobject_cast<FrmTopScore *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
            qWarning("the top-score dialog did not become active");
        answer(dialog);
        if (frmTopScore && frmTopScore->isVisible())
            frmTopScore->reject();
    });
    showTopScoreDialog();
    return opened;
}

enum Answer { PressEnter, PressEsc, ClickOK, CloseBox };

void give(FrmTopScore *dialog, Answer answer)
{
    switch (answer) {
    case PressEnter:
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
        break;
    case PressEsc:
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
        break;
    case ClickOK:
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          dialog->cmdOK->geometry().center());
        break;
    case CloseBox:
        dialog->windowHandle()->close();
        break;
    }
}

// Replaces the offered name with `typed`, key by key; an empty text clears the box. Letters of
// Latin-1 have key codes of their own, as a keyboard that has them sends them.
void typeName(const QString &typed)
{
    QWindow *window = frmTopScore->windowHandle();
    if (typed.isEmpty())
        QTest::keyClick(window, Qt::Key_Backspace);
    for (QChar letter : typed) {
        const auto key = static_cast<Qt::Key>(letter.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, window, key, QString(letter), Qt::NoModifier);
    }
}

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

class TestTopScore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dialogAsDesigned();
    void answers_data();
    void answers();
    void namesAsTyped_data();
    void namesAsTyped();
    void scoringWindowFollowsOnlyWhenVisible_data();
    void scoringWindowFollowsOnlyWhenVisible();
};

void TestTopScore::initTestCase()
{
    useTemporaryDataFolder();
    openGame();
}

void TestTopScore::init()
{
    fillTable();
    totalScore = 45;
    playerName = "Previous";
}

void TestTopScore::cleanup()
{
    delete frmScoring;
}

void TestTopScore::dialogAsDesigned()
{
    // Away from the screen's centre, so that a dialog centred on the screen shows.
    frmMain->move(frmMain->screen()->availableGeometry().topLeft());
    QRect dialogFrame;
    const bool opened = openAndAnswer([&](FrmTopScore *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Top Score!"));
        QCOMPARE(dialog->size(), QSize(367, 80));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        const Qt::WindowFlags flags = dialog->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(dialog->txtName->geometry(), twips(240, 600, 3495, 330));
        QCOMPARE(dialog->txtName->maxLength(), 20);
        QCOMPARE(dialog->lblText->geometry(), twips(240, 240, 4935, 255));
        QCOMPARE(dialog->lblText->text(),
                 QStringLiteral("You have got a top score!  Add your name to the Top Scores table..."));
        QCOMPARE(dialog->cmdOK->geometry(), twips(3960, 600, 1260, 345));
        QCOMPARE(dialog->cmdOK->text(), QStringLiteral("OK"));
        QVERIFY(dialog->cmdOK->isDefault());
        QCOMPARE(QApplication::focusWidget(), dialog->txtName);
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->cmdOK);
        dialogFrame = dialog->frameGeometry();
        give(dialog, CloseBox);
    });
    QVERIFY(opened);
    // Qt allows for a title bar it cannot see yet, so the height is only roughly centred.
    const QRect mainFrame = frmMain->frameGeometry();
    QVERIFY2(qAbs(dialogFrame.center().x() - mainFrame.center().x()) <= 10 && mainFrame.contains(dialogFrame),
             "the dialog is not centred over the game window");
}

void TestTopScore::answers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("entered"); // the name entered as entry 1, or nothing entered

    const QString name = QStringLiteral("Zoë");
    QTest::newRow("Enter with a name") << name << int(PressEnter) << name;
    QTest::newRow("Esc with a name") << name << int(PressEsc) << name;
    QTest::newRow("OK with a name") << name << int(ClickOK) << name;
    QTest::newRow("spaces only") << QStringLiteral("   ") << int(PressEnter) << QStringLiteral("   ");
    QTest::newRow("Enter with an empty box") << QString() << int(PressEnter) << QString();
    QTest::newRow("Esc with an empty box") << QString() << int(PressEsc) << QString();
    QTest::newRow("OK with an empty box") << QString() << int(ClickOK) << QString();
    QTest::newRow("close box with a name") << name << int(CloseBox) << QString();
}

void TestTopScore::answers()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QString, entered);
    saveTopScores();
    const QString before = describeTable();

    const bool opened = openAndAnswer([&](FrmTopScore *dialog) {
        typeName(typed);
        give(dialog, static_cast<Answer>(answer));
    });

    QVERIFY(opened);
    QVERIFY(!frmTopScore);
    if (entered.isEmpty()) {
        QCOMPARE(describeTable(), before);
        QCOMPARE(nameToText(playerName), QStringLiteral("Previous"));
    } else {
        QCOMPARE(describeTable(),
                 QStringLiteral("50 \"Ann\", 45 \"%1\", 40 \"Ben\", 30 \"Cy\", 20 \"Di\"").arg(entered));
        QCOMPARE(nameToText(playerName), entered);
    }
    QCOMPARE(describeStoredTable(), describeTable());
}

void TestTopScore::namesAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entered");

    QTest::newRow("twenty-five letters")
        << QStringLiteral("Bartholomew Quincybergers") << QStringLiteral("Bartholomew Quincybe");
    QTest::newRow("twenty letters beyond ASCII")
        << QStringLiteral("Åsa Øberg-Ñúñez Çelï") << QStringLiteral("Åsa Øberg-Ñúñez Çelï");
    QTest::newRow("spaces kept") << QStringLiteral("  Ann  Lee  ") << QStringLiteral("  Ann  Lee  ");
}

void TestTopScore::namesAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, entered);
    totalScore = 55;

    QVERIFY(openAndAnswer([&](FrmTopScore *dialog) {
        typeName(typed);
        give(dialog, PressEnter);
    }));

    QCOMPARE(topName[0], entered.toLocal8Bit().toStdString());
    QCOMPARE(describeStoredTable(), describeTable());
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    QVERIFY(frmScoring);
    QCOMPARE(frmScoring->lblTopName[0]->text(), entered);
}

void TestTopScore::scoringWindowFollowsOnlyWhenVisible_data()
{
    QTest::addColumn<int>("clicks"); // on the Scoring button before the dialog opens
    QTest::addColumn<QString>("shown");

    const QString noName(16, QChar(0x2014));
    QTest::newRow("visible") << 1 << QStringLiteral("Newcomer");
    QTest::newRow("hidden") << 2 << noName;
    QTest::newRow("never opened") << 0 << QString();
}

void TestTopScore::scoringWindowFollowsOnlyWhenVisible()
{
    QFETCH(int, clicks);
    QFETCH(QString, shown);
    emptyTable();
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);

    QVERIFY(openAndAnswer([](FrmTopScore *dialog) {
        typeName(QStringLiteral("Newcomer"));
        give(dialog, PressEnter);
    }));

    QCOMPARE(nameToText(topName[0]), QStringLiteral("Newcomer"));
    if (clicks == 0) {
        QVERIFY2(!frmScoring, "the dialog made a scoring window");
        return;
    }
    QVERIFY(frmScoring);
    QCOMPARE(frmScoring->isVisible(), clicks == 1);
    QCOMPARE(frmScoring->lblTopName[0]->text(), shown);
}

QTEST_MAIN(TestTopScore)
#include "tst_topscore.moc"
