// The top-score dialog on its own: how it looks, how each way of answering it treats the table,
// the names it takes, the table it leaves on disk, and the scoring window it brings up to date.
#include "support/testSupport.h"

#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "state/modInitialize.h"
#include "topscores/FrmScoring.h"
#include "topscores/FrmTopScore.h"
#include "topscores/nameText.h"
#include "topscores/topScoreStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextLayout>

using namespace modInitialize;
using namespace testSupport;

namespace
{

// The table as the store gives it back now; the table in memory is left as it was.
QString storedTable()
{
    const QString inMemory = describeTopScores();
    setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    loadTopScores();
    const QString stored = describeTopScores();
    setTopScores(inMemory);
    return stored;
}

// Whether every character of the text has a glyph in the font or in a fallback font: none is drawn as
// the empty box of a missing glyph.
bool drawsEveryCharacter(const QFont &font, const QString &text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        if (run.glyphIndexes().contains(0))
            return false;
    }
    return !text.isEmpty();
}

enum Answer { PressEnter, PressEsc, ClickOK, CloseBox };

// Replaces the offered name with `typed`, key by key, then answers; an empty text clears the box.
// Letters of Latin-1 have key codes of their own, as a keyboard that has them sends them; "⌥" holds
// Alt down for the letter after it, "⌘" Super.
void typeAndAnswer(FrmTopScore *dialog, const QString &typed, Answer answer)
{
    QWindow *window = dialog->windowHandle();
    if (typed.isEmpty())
        QTest::keyClick(window, Qt::Key_Backspace);
    Qt::KeyboardModifiers held;
    for (char32_t letter : typed.toUcs4()) {
        if (letter == U'⌥' || letter == U'⌘') {
            held = letter == U'⌥' ? Qt::AltModifier : Qt::MetaModifier;
            continue;
        }
        const QString text = QString::fromUcs4(&letter, 1);
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key(text.toUpper().at(0).unicode()), text, held);
        held = Qt::NoModifier;
    }
    if (answer == CloseBox)
        window->close();
    else if (answer == ClickOK)
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, dialog->cmdOK->geometry().center());
    else
        QTest::keyClick(window, answer == PressEnter ? Qt::Key_Return : Qt::Key_Escape);
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
};

void TestTopScore::initTestCase()
{
    useTemporaryDataFolder();
    openGame();
}

void TestTopScore::init()
{
    storeTopScores(QStringLiteral("50 Ann, 40 Ben, 30 Cy, 20 Di, 10 Ed"));
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
    const QPoint corner = frmMain->screen()->availableGeometry().topLeft();
    QVERIFY(moveAndSettle(corner));
    const bool opened = answerTopScoreDialog(
        [] { frmMain->showTopScoreDialog(); },
        [&](FrmTopScore *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Top Score!"));
            QCOMPARE(dialog->size(), QSize(367, 80));
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
            const Qt::WindowFlags flags = dialog->windowFlags();
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QCOMPARE(dialog->lblText->text(),
                     QStringLiteral("You have got a top score!  Add your name to the Top Scores table..."));
            QCOMPARE(dialog->cmdOK->text(), QStringLiteral("OK"));
            // The name box and OK where a click finds them.
            QCOMPARE(dialog->childAt(20, 45), dialog->txtName);
            QCOMPARE(dialog->childAt(300, 45), dialog->cmdOK);
            QCOMPARE(QApplication::focusWidget(), dialog->txtName);
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog->cmdOK);
            // Centred on the game window, frames included, once a window manager has framed it.
            QTRY_VERIFY(
                (dialog->frameGeometry().center() - frmMain->frameGeometry().center()).manhattanLength() <=
                2);
        });
    QVERIFY(opened);
}

void TestTopScore::answers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("entered");   // the name entered as entry 1, or nothing entered
    QTest::addColumn<int>("clicks");        // on the Scoring button before the dialog opens
    QTest::addColumn<QString>("meanwhile"); // the table another copy of the game stores while it is open
    QTest::addColumn<QString>("after");     // the table then, when it is not the usual
    QTest::addColumn<bool>("locked");       // by another copy of the game, saving, all the while

    const auto row = [](const char *tag, const QString &typed, Answer answer, const QString &entered,
                        int clicks = 0, const QString &meanwhile = QString(),
                        const QString &after = QString(), bool locked = false) {
        QTest::newRow(tag) << typed << int(answer) << entered << clicks << meanwhile << after << locked;
    };
    const QString name = QStringLiteral("Zoë");
    row("Enter with a name", name, PressEnter, name);
    row("Esc with a name", name, PressEsc, name);
    row("OK with a name", name, ClickOK, name);
    row("spaces only", "   ", PressEnter, "   ");
    row("spaces kept", "  Ann  Lee  ", PressEnter, "  Ann  Lee  ");
    row("twenty-five letters", "Bartholomew Quincybergers", PressEnter, "Bartholomew Quincybe");
    row("twenty letters beyond ASCII", "Åsa Øberg-Ñúñez Çelï", PressEnter, "Åsa Øberg-Ñúñez Çelï");
    row("Enter with an empty box", QString(), PressEnter, QString());
    row("Esc with an empty box", QString(), PressEsc, QString());
    row("OK with an empty box", QString(), ClickOK, QString());
    row("close box with a name", name, CloseBox, QString());
    const QString scripts = QStringLiteral("Жанна λόγος 漢字かな");
    row("scoring window visible, a name in three scripts", scripts, PressEnter, scripts, 1);
    row("scoring window hidden", name, PressEnter, name, 2);
    row("Alt with a letter out of habit", "Zo⌥në⌥s", PressEnter, name);
    row("Super with a letter, which the desktop keeps", "⌘tZo⌘në", PressEnter, name);
    row("an emoji as the twentieth character", "Nineteen characters😀", PressEnter, "Nineteen characters😀");
    row("twenty-one emoji", QString(21, QChar()).replace(QChar(), QStringLiteral("😀")), PressEnter,
        QString(20, QChar()).replace(QChar(), QStringLiteral("😀")));
    row("another copy's entry stored meanwhile", name, PressEnter, name, 0,
        "60 Eve, 50 Ann, 40 Ben, 30 Cy, 20 Di", "60 Eve, 50 Ann, 45 Zoë, 40 Ben, 30 Cy");
    row("another copy filled the table meanwhile", name, PressEnter, name, 0, "90 A, 80 B, 70 C, 60 D, 50 E",
        "90 A, 80 B, 70 C, 60 D, 50 E");
    // Entered in this copy's table, which is neither read again nor saved while the lock is held.
    row("another copy holding the store", name, PressEnter, name, 0, "60 Eve, 50 Ann, 40 Ben, 30 Cy, 20 Di",
        QString(), true);
}

void TestTopScore::answers()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QString, entered);
    QFETCH(int, clicks);
    QFETCH(QString, meanwhile);
    QFETCH(QString, after);
    QFETCH(bool, locked);
    const QString before = describeTopScores();
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);

    std::unique_ptr<HeldStoreLock> held;
    QVERIFY(answerTopScoreDialog([] { frmMain->showTopScoreDialog(); }, [&](FrmTopScore *dialog) {
        if (!meanwhile.isEmpty()) {
            storeTopScores(meanwhile);
            setTopScores(before);
        }
        if (locked)
            held = std::make_unique<HeldStoreLock>();
        QVERIFY(typed.isEmpty() || drawsEveryCharacter(dialog->txtName->font(), typed));
        typeAndAnswer(dialog, typed, static_cast<Answer>(answer));
    }));
    held.reset();

    QVERIFY(!frmTopScore);
    if (entered.isEmpty()) {
        QCOMPARE(describeTopScores(), before);
        QCOMPARE(nameToText(playerName), QStringLiteral("Previous"));
    } else {
        QCOMPARE(describeTopScores(), after.isEmpty()
                                          ? QStringLiteral("50 Ann, 45 %1, 40 Ben, 30 Cy, 20 Di").arg(entered)
                                          : after);
        QCOMPARE(nameToText(playerName), entered);
    }
    QCOMPARE(storedTable(), locked ? meanwhile : describeTopScores());
    // The scoring window is brought up to date only while it is visible, and never made here.
    if (clicks == 0) {
        QVERIFY2(!frmScoring, "the dialog made a scoring window");
        return;
    }
    QVERIFY(frmScoring);
    QCOMPARE(frmScoring->isVisible(), clicks == 1);
    QCOMPARE(frmScoring->lblTopName[1]->text(), clicks == 1 ? entered : QStringLiteral("Ben"));
    QVERIFY(drawsEveryCharacter(frmScoring->lblTopName[1]->font(), frmScoring->lblTopName[1]->text()));
}

QTEST_MAIN(TestTopScore)
#include "tst_topscore.moc"
