// The scoring window: its design, the rows it fills from the table, where the Scoring button puts
// it, and the clicks and keys that close it.
#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/LineControl.h"
#include "controls/mousePointer.h"
#include "game/FrmMain.h"
#include "state/modInitialize.h"
#include "topscores/FrmScoring.h"
#include "topscores/sideBySide.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace modInitialize;
using namespace testSupport;

namespace
{

const QString noName(16, QChar(0x2014));

FrmScoring *openScoring()
{
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    // A window that never shows is no window to test.
    return frmScoring && QTest::qWaitForWindowExposed(frmScoring, 20000) ? frmScoring : nullptr;
}

// A control of the scoring window by its designed name, such as "lblText(5)" or "Line1".
QWidget *control(const QString &name)
{
    QMap<QString, QWidget *> controls = {{QStringLiteral("imgTitle"), frmScoring->imgTitle},
                                         {QStringLiteral("Line1"), frmScoring->Line1}};
    const auto add = [&controls](const char *array, const auto &elements) {
        for (int i = 0; i < int(std::size(elements)); ++i)
            controls.insert(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i), elements[i]);
    };
    add("lblText", frmScoring->lblText);
    add("imgExample", frmScoring->imgExample);
    add("lblTopName", frmScoring->lblTopName);
    add("lblTopScore", frmScoring->lblTopScore);
    return controls.value(name);
}

// The window's five rows in the form of describeTopScores, "~" for the dashes of an unfilled name.
QString shownRows()
{
    QStringList rows;
    for (int i = 0; i < 5; ++i)
        rows.append(frmScoring->lblTopScore[i]->text() + QLatin1Char(' ') +
                    frmScoring->lblTopName[i]->text());
    return rows.join(QStringLiteral(", ")).replace(noName, QStringLiteral("~"));
}

} // namespace

class TestScoring : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowAsDesigned();
    void rowsFromTheTable_data();
    void rowsFromTheTable();
    void sideBySide_data();
    void sideBySide();
    void scoringButtonPlacesHidesAndShows_data();
    void scoringButtonPlacesHidesAndShows();
    void closing_data();
    void closing();
    void pointerBackToArrow();
};

// The window manager's stacking of the windows, which only a real one shows.
class TestScoringUnderWindowManager : public QObject
{
    Q_OBJECT

private slots:
    void staysInFrontOfTheGame();
};

void TestScoring::initTestCase()
{
    useTemporaryDataFolder();
    openGame();
}

void TestScoring::init()
{
    setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
}

void TestScoring::cleanup()
{
    delete frmScoring;
}

void TestScoring::windowAsDesigned()
{
    QVERIFY(openScoring());
    QCOMPARE(frmScoring->windowTitle(), QStringLiteral("Scoring"));
    QCOMPARE(frmScoring->size(), QSize(297, 529));
    QCOMPARE(frmScoring->minimumSize(), frmScoring->maximumSize());
    QVERIFY(!(frmScoring->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(frmScoring->grab().toImage().pixelColor(2, 500), QColor(241, 255, 241));
    QStringList points;
    for (int i = 20; i <= 28; ++i)
        points << frmScoring->lblText[i]->text();
    QCOMPARE(points.join(QLatin1Char(' ')), QStringLiteral("2 5 10 15 20 25 50 75 100"));

    // Modeless, and owned by the game window so that it stays in front of it.
    QVERIFY(!frmScoring->isModal());
    QCOMPARE(frmScoring->windowHandle()->transientParent(), frmMain->windowHandle());
}

void TestScoring::rowsFromTheTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("shown");

    QTest::newRow("full table") << "321 Ann, 200 Zoë, 99 Cy, 10  Di  Lee, 1 Ed"
                                << "321 Ann, 200 Zoë, 99 Cy, 10  Di  Lee, 1 Ed";
    QTest::newRow("long names cut to twenty")
        << "80 Maximilian Alexander Fitzgerald, 70 Åsa Øberg-Ñúñez Çelï, 0, 0, 0"
        << "80 Maximilian Alexander, 70 Åsa Øberg-Ñúñez Çelï, 0 ~, 0 ~, 0 ~";
    QTest::newRow("names without scores stay out") << "90 Ann, 0 Lost, 50 Cy, -3 Gone, 10 Ed"
                                                   << "90 Ann, 0 ~, 50 Cy, 0 ~, 10 Ed";
}

void TestScoring::rowsFromTheTable()
{
    QFETCH(QString, table);
    QFETCH(QString, shown);
    setTopScores(table);

    QVERIFY(openScoring());

    QCOMPARE(shownRows(), shown);
    QCOMPARE(describeTopScores(), table); // the names keep their whole length
    // Loaded again while open, the rows of entries without a score keep what they showed.
    setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    frmScoring->Form_Load();
    QCOMPARE(shownRows(), shown);
}

void TestScoring::sideBySide_data()
{
    QTest::addColumn<float>("screen");
    QTest::addColumn<float>("mainLeft");
    QTest::addColumn<float>("scoringLeft");
    QTest::addColumn<float>("newMainLeft");
    QTest::addColumn<float>("newScoringLeft");

    // The game window is 9510 twips wide with its frame, the scoring window 4545.
    QTest::newRow("at the left edge") << 19200.f << 0.f << 2490.f << 0.f << 9560.f;
    QTest::newRow("just room on the right") << 19200.f << 5045.f << 7535.f << 5045.f << 14605.f;
    QTest::newRow("one twip too far right") << 19200.f << 5046.f << 7536.f << 5045.f << 14605.f;
    QTest::newRow("off the right edge") << 19200.f << 16000.f << 18490.f << 5045.f << 14605.f;
    QTest::newRow("one twip of room to spare") << 14156.f << 2000.f << 4490.f << 1.f << 9561.f;
    QTest::newRow("exactly as wide as the screen") << 14155.f << 2000.f << 4490.f << 2000.f << 4490.f;
    QTest::newRow("narrow screen") << 12000.f << 1000.f << 3490.f << 1000.f << 3490.f;
}

void TestScoring::sideBySide()
{
    QFETCH(float, screen);
    QFETCH(float, mainLeft);
    QFETCH(float, scoringLeft);
    QFETCH(float, newMainLeft);
    QFETCH(float, newScoringLeft);

    const SideBySide lefts = arrangeBeside(screen, mainLeft, 9510.f, scoringLeft, 4545.f);

    QCOMPARE(lefts.mainLeft, newMainLeft);
    QCOMPARE(lefts.scoringLeft, newScoringLeft);
}

void TestScoring::scoringButtonPlacesHidesAndShows_data()
{
    QTest::addColumn<bool>("atTheRightEdge");

    QTest::newRow("game window in the middle") << false;
    QTest::newRow("game window at the right edge") << true;
}

// The screen decides which rule holds: side by side where both fit, else only the tops align.
void TestScoring::scoringButtonPlacesHidesAndShows()
{
    QFETCH(bool, atTheRightEdge);
    const QRect screen = frmMain->screen()->availableGeometry();
    if (atTheRightEdge) {
        const QPoint corner(screen.right() - frmMain->frameGeometry().width() + 1, screen.top() + 20);
        QVERIFY(moveAndSettle(corner));
    }
    setTopScores(QStringLiteral("30 Ann, 0, 0, 0, 0"));

    QPointer<FrmScoring> scoring = openScoring();
    QVERIFY(scoring && scoring->isVisible());
    // Frames included, from the first showing on: a window manager frames the window a moment later.
    QTRY_COMPARE(scoring->frameGeometry().top(), frmMain->frameGeometry().top());
    const QRect main = frmMain->frameGeometry();
    const QRect beside = scoring->frameGeometry();
    if ((beside.width() + main.width()) * 15 + 100 < screen.width() * 15) {
        qInfo("placed side by side on a screen %d pixels wide", screen.width());
        QCOMPARE(beside.left(), main.right() + 1 + 3);
        QVERIFY(beside.right() <= screen.right() - 3);
        QCOMPARE(beside.right() > screen.right() - 10, atTheRightEdge);
    } else {
        qInfo("too narrow for both on a screen %d pixels wide", screen.width());
        // Centred when made, by a frame that the window only learns once it is first shown.
        QVERIFY(qAbs(beside.center().x() - main.center().x()) <= 3);
    }

    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    QCOMPARE(frmScoring, scoring.data());
    QVERIFY(!scoring->isVisible());

    // Shown again, it is placed again but keeps the rows it held.
    setTopScores(QStringLiteral("60 Bea, 0, 0, 0, 0"));
    QVERIFY(moveAndSettle(frmMain->frameGeometry().topLeft() + QPoint(0, 30)));
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    QCOMPARE(frmScoring, scoring.data());
    QVERIFY(scoring->isVisible());
    QTRY_COMPARE(scoring->frameGeometry().top(), frmMain->frameGeometry().top());
    QCOMPARE(scoring->lblTopName[0]->text(), QStringLiteral("Ann"));
}

// The window manager's stacking of the game's windows, bottom first; empty without a window manager.
static QList<WId> stacking()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    xprop.waitForFinished();
    QList<WId> windows;
    const QString listing = QString::fromLatin1(xprop.readAllStandardOutput());
    for (const QString &id : listing.mid(listing.indexOf(QLatin1Char('#')) + 1).split(QLatin1Char(','))) {
        bool number = false;
        const WId window = id.trimmed().toULongLong(&number, 16);
        if (number && (window == frmMain->winId() || (frmScoring && window == frmScoring->winId())))
            windows << window;
    }
    return windows;
}

// Owned by the game window, the scoring window stays in front of it when the player clicks the grid,
// as the window manager sees a real click.
void TestScoringUnderWindowManager::staysInFrontOfTheGame()
{
    QVERIFY(openScoring());
    QVERIFY(QTest::qWaitForWindowActive(frmScoring));
    QTRY_COMPARE(stacking(), QList<WId>({frmMain->winId(), frmScoring->winId()}));
    QCOMPARE(frmScoring->windowHandle()->transientParent(), frmMain->windowHandle());
    const QPoint cell = frmMain->mapToGlobal(frmMain->imgCard[0]->geometry().center());
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                               {QStringLiteral("mousemove"), QString::number(cell.x()),
                                QString::number(cell.y()), QStringLiteral("click"), QStringLiteral("1")}),
             0);
    // The window manager raises the window it gives the focus to, in the same step.
    QTRY_VERIFY(QApplication::activeWindow() == frmMain);
    QCOMPARE(stacking(), QList<WId>({frmMain->winId(), frmScoring->winId()}));
}

void TestScoring::closing_data()
{
    QTest::addColumn<QString>("target"); // a control, or the window's own surface
    QTest::addColumn<int>("key");        // pressed instead of a click when set, with any modifier
    QTest::addColumn<bool>("closes");

    QTest::newRow("surface") << "surface" << 0 << true;
    QTest::newRow("rule") << "Line1" << 0 << true;
    QTest::newRow("heading") << "lblText(1)" << 0 << true;
    QTest::newRow("combination name") << "lblText(5)" << 0 << true;
    QTest::newRow("any order") << "lblText(0)" << 0 << true;
    QTest::newRow("points") << "lblText(28)" << 0 << true;
    QTest::newRow("top scores heading") << "lblText(30)" << 0 << true;
    QTest::newRow("target") << "lblText(13)" << 0 << true;
    QTest::newRow("example") << "imgExample(3)" << 0 << true;
    QTest::newRow("top name") << "lblTopName(2)" << 0 << true;
    QTest::newRow("top score") << "lblTopScore(4)" << 0 << true;
    QTest::newRow("title") << "imgTitle" << 0 << false;
    QTest::newRow("letter") << QString() << int(Qt::Key_A) << true;
    QTest::newRow("digit") << QString() << int(Qt::Key_7) << true;
    QTest::newRow("space") << QString() << int(Qt::Key_Space) << true;
    QTest::newRow("Enter") << QString() << int(Qt::Key_Return) << true;
    QTest::newRow("Esc") << QString() << int(Qt::Key_Escape) << true;
    QTest::newRow("keypad Enter") << QString() << int(Qt::KeypadModifier) + int(Qt::Key_Enter) << true;
    QTest::newRow("Delete") << QString() << int(Qt::Key_Delete) << false;
    QTest::newRow("arrow") << QString() << int(Qt::Key_Left) << false;
    QTest::newRow("function key") << QString() << int(Qt::Key_F2) << false;
    QTest::newRow("Alt with a letter") << QString() << int(Qt::AltModifier) + int(Qt::Key_A) << false;
}

void TestScoring::closing()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QPointer<FrmScoring> scoring = openScoring();
    QVERIFY(scoring);
    QVERIFY(QTest::qWaitForWindowActive(scoring));

    if (key) {
        // Delete types DEL, a control character, as the window system sends it.
        const auto code = Qt::Key(key & ~Qt::KeyboardModifierMask);
        QTest::sendKeyEvent(QTest::Click, scoring->windowHandle(), code,
                            code == Qt::Key_Delete ? '\x7f' : QTest::keyToAscii(code),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    } else {
        const QWidget *clicked = target == QLatin1String("surface") ? nullptr : control(target);
        const QPoint where = clicked ? clicked->geometry().center() : QPoint(4, 500);
        // The rule lets clicks through to the surface beneath it.
        const QWidget *receiver =
            clicked && clicked->testAttribute(Qt::WA_TransparentForMouseEvents) ? nullptr : clicked;
        QVERIFY(scoring->childAt(where) == receiver);
        QTest::mouseClick(scoring->windowHandle(), Qt::LeftButton, Qt::NoModifier, where);
    }

    unloadClosedWindows();
    QCOMPARE(!frmScoring, closes);
    QCOMPARE(scoring.isNull(), closes);
    if (!closes)
        return;
    // The next click makes the window afresh, with the table as it is now.
    setTopScores(QStringLiteral("75 Cleo, 0, 0, 0, 0"));
    QVERIFY(openScoring());
    QCOMPARE(frmScoring->lblTopName[0]->text(), QStringLiteral("Cleo"));
}

void TestScoring::pointerBackToArrow()
{
    QVERIFY(openScoring());
    setMousePointer(vbNoDrop);
    QTest::mouseMove(frmScoring->windowHandle(), QPoint(4, 500));
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestScoring tests;
    TestScoringUnderWindowManager managed;
    return runTests(argc, argv, {{&tests, Needs::Nothing}, {&managed, Needs::WindowManager}});
}
#include "tst_scoring.moc"
