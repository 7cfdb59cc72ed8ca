// Which orders of key presses and releases take back the last placement, whichever button has the
// focus, and under which keyboard layouts. What an undo gives back is checked move by move in tst_play.
#include "support/testSupport.h"

#include "game/FrmMain.h"
#include "platform/keyLetter.h"
#include "state/modInitialize.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace modInitialize;
using namespace testSupport;

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keyOrders_data();
    void keyOrders();
    void latinLetterOfAKey_data();
    void latinLetterOfAKey();
};

// Real keys through the X server under several layouts: the letter of a key is the key's own, and
// on a Latin layout the one printed on it.
class TestUndoInXServer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void keysOfAnyLayout_data();
    void keysOfAnyLayout();
};

void TestUndo::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(4242);
    openGame();
    setTopScores(topScoresNoneBeats);
}

void TestUndo::keyOrders_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("undoes");
    QTest::addColumn<QString>("focus");

    const QString scoring = QStringLiteral("Scoring");
    QTest::newRow("Ctrl+Z") << "+Ctrl/c +Z/c -Z/c -Ctrl" << true << scoring;
    QTest::newRow("Ctrl+Z, New focused") << "+Ctrl/c +Z/c -Z/c -Ctrl" << true << "New";
    QTest::newRow("Ctrl+Z, Quit focused") << "+Ctrl/c +Z/c -Z/c -Ctrl" << true << "Quit";
    QTest::newRow("Z, then Ctrl, Z up first") << "+Z +Ctrl/c -Z/c -Ctrl" << true << scoring;
    QTest::newRow("Ctrl up before Z") << "+Ctrl/c +Z/c -Ctrl -Z" << false << scoring;
    QTest::newRow("Ctrl+Shift+Z") << "+Ctrl/c +Shift/cs +Z/cs -Z/cs -Shift/c -Ctrl" << true << scoring;
    QTest::newRow("Ctrl+Alt+Z") << "+Ctrl/c +Alt/ca +Z/ca -Z/ca -Alt/c -Ctrl" << true << scoring;
    QTest::newRow("plain Z") << "+Z -Z" << false << scoring;
    QTest::newRow("Ctrl and Z down only") << "+Ctrl/c +Z/c" << false << scoring;
    QTest::newRow("Ctrl+A") << "+Ctrl/c +A/c -A/c -Ctrl" << false << scoring;
    QTest::newRow("Z up reported without Ctrl") << "+Ctrl/c +Z/c -Z" << false << scoring;
    QTest::newRow("Ctrl tapped, then Z") << "+Ctrl/c -Ctrl +Z -Z" << false << scoring;
    // The second release finds nothing recorded: one level of undo.
    QTest::newRow("Ctrl held over two Z") << "+Ctrl/c +Z/c -Z/c +Z/c -Z/c -Ctrl" << true << scoring;
    // A held key repeats as release and press pairs; only the real release counts.
    QTest::newRow("Ctrl+Z held, repeating") << "+Ctrl/c +Z/c -Z/c* +Z/c* -Z/c* +Z/c*" << false << scoring;
    QTest::newRow("Ctrl+Z held, then let go") << "+Ctrl/c +Z/c -Z/c* +Z/c* -Z/c -Ctrl" << true << scoring;
}

void TestUndo::keyOrders()
{
    QFETCH(QString, keys);
    QFETCH(bool, undoes);
    QFETCH(QString, focus);
    openGame();
    ctrlKeyDown = False; // the flag outlives games; each row starts with Ctrl up
    placeOn(11);
    placeOn(10);
    hoverCell(16);
    const Snapshot before = takeSnapshot();
    clickWaitingCard();
    const Snapshot placed = takeSnapshot();
    const QMap<QString, QPushButton *> buttons{
        {"Scoring", frmMain->cmdScoring}, {"New", frmMain->cmdNew}, {"Quit", frmMain->cmdQuit}};
    QPushButton *button = buttons.value(focus);
    button->setFocus();
    QCOMPARE(QApplication::focusWidget(), button);

    sendKeys(keys);
    const QString fault = undoes ? differencesAfterUndo(before, 1, 3) : differences(placed, takeSnapshot());
    QVERIFY2(fault.isEmpty(), qPrintable((undoes ? "not undone: " : "undone: ") + fault));
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestUndo::latinLetterOfAKey_data()
{
    QTest::addColumn<int>("key");     // as the layout names it
    QTest::addColumn<int>("keycode"); // the key's own X11 keycode
    QTest::addColumn<int>("letter");

    QTest::newRow("US Z") << int(Qt::Key_Z) << 52 << int(Qt::Key_Z);
    QTest::newRow("German Z, on the US Y key") << int(Qt::Key_Z) << 29 << int(Qt::Key_Z);
    QTest::newRow("Russian ya, on the Z key") << 0x42F << 52 << int(Qt::Key_Z);
    QTest::newRow("Russian er, on the H key") << 0x420 << 43 << int(Qt::Key_H);
    QTest::newRow("Greek alpha, on the A key") << 0x391 << 38 << int(Qt::Key_A);
    QTest::newRow("Russian ef, on the A key") << 0x424 << 38 << int(Qt::Key_A);
    QTest::newRow("Russian ha, on the [ key") << 0x425 << 34 << 0x425;
    QTest::newRow("Russian zhe, on the ; key") << 0x416 << 47 << 0x416;
    QTest::newRow("F1") << int(Qt::Key_F1) << 67 << int(Qt::Key_F1);
    QTest::newRow("no keycode") << 0x42F << 0 << 0x42F;
}

// Every letter key of a PC keyboard under a layout of other letters, and keys that are no letter.
void TestUndo::latinLetterOfAKey()
{
    QFETCH(int, key);
    QFETCH(int, keycode);
    QFETCH(int, letter);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, quint32(keycode), 0, 0);
    QCOMPARE(int(latinKey(&event)), letter);
}

static void runXdotool(const QString &command)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), command.split(QLatin1Char(' '))), 0);
}

void TestUndoInXServer::cleanup()
{
    QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("us")});
}

void TestUndoInXServer::keysOfAnyLayout_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("keys"); // as the keyboard sends them, in xdotool's words
    QTest::addColumn<QString>("does");

    const auto row = [](const char *name, const char *layout, const char *keys, const char *does) {
        QTest::newRow(name) << QString::fromLatin1(layout) << QString::fromLatin1(keys)
                            << QString::fromLatin1(does);
    };
    row("US, Ctrl+Z", "us", "keydown ctrl key z keyup ctrl", "undo");
    row("Russian, Ctrl with the Z key", "ru", "keydown ctrl key Cyrillic_ya keyup ctrl", "undo");
    row("Greek, Ctrl with the Z key", "gr", "keydown ctrl key Greek_zeta keyup ctrl", "undo");
    row("German, Ctrl with the key labelled Z", "de", "keydown ctrl key z keyup ctrl", "undo");
    row("German, Ctrl with the key labelled Y", "de", "keydown ctrl key y keyup ctrl", "nothing");
    row("French, Ctrl with the key labelled Z", "fr", "keydown ctrl key z keyup ctrl", "undo");
    row("Russian, Alt with the N key", "ru", "keydown alt key Cyrillic_te keyup alt", "new game");
    row("Russian, the H key", "ru", "key Cyrillic_er", "coach");
}

void TestUndoInXServer::keysOfAnyLayout()
{
    QFETCH(QString, layout);
    QFETCH(QString, keys);
    QFETCH(QString, does);
    QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {layout}), 0);
    openGame();
    placeOn(11);
    // The waiting card over a cell that cannot take it, so that the coach visibly moves it.
    hoverCell(0);
    const QPoint middle = frmMain->mapToGlobal(frmMain->rect().center());
    runXdotool(QStringLiteral("mousemove %1 %2").arg(middle.x()).arg(middle.y()));
    QTRY_VERIFY(QApplication::activeWindow() == frmMain);
    // A key that does nothing is followed by H, which the coach answers: once it has, the keys
    // before it have arrived too.
    runXdotool(does == QLatin1String("nothing") ? keys + QStringLiteral(" key h") : keys);
    if (does == QLatin1String("undo"))
        QTRY_COMPARE(lastCellX, int16_t(-1));
    else if (does == QLatin1String("new game"))
        QTRY_COMPARE(packPosition, int16_t(1));
    else
        QTRY_VERIFY(targetCell != 0);
    QCOMPARE(lastCellX, int16_t(does == QLatin1String("undo") || does == QLatin1String("new game") ? -1 : 1));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestUndo tests;
    TestUndoInXServer inXServer;
    return runTests(argc, argv, {{&tests, Needs::Nothing}, {&inXServer, Needs::XServer}});
}

#include "tst_undo.moc"
