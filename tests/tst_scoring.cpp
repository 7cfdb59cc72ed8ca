// The scoring window: its design, the rows it fills from the table, where the Scoring button puts
// it, and the clicks and keys that close it.
#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/LineControl.h"
#include "controls/mousePointer.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"
#include "topscores/FrmScoring.h"
#include "topscores/sideBySide.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace modInitialize;
using namespace testSupport;

namespace
{

const QString noName(16, QChar(0x2014));

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

void setTable(const QStringList &names, const QList<int> &scores)
{
    for (int n = 0; n < 5; ++n) {
        topName[n] = names[n].toStdString();
        topScore[n] = static_cast<int16_t>(scores[n]);
    }
}

FrmScoring *openScoring()
{
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    if (frmScoring && !QTest::qWaitForWindowExposed(frmScoring))
        qWarning("the scoring window was never shown");
    return frmScoring;
}

// A control of the scoring window by its designed name, such as "lblText(5)" or "Line1".
QWidget *control(const QString &name)
{
    const int open = name.indexOf(QLatin1Char('('));
    const QString array = name.left(open);
    const int index = open < 0 ? 0 : name.mid(open + 1).chopped(1).toInt();
    if (array == QLatin1String("lblText"))
        return frmScoring->lblText[index];
    if (array == QLatin1String("lblTopName"))
        return frmScoring->lblTopName[index];
    if (array == QLatin1String("lblTopScore"))
        return frmScoring->lblTopScore[index];
    if (array == QLatin1String("imgExample"))
        return frmScoring->imgExample[index];
    if (array == QLatin1String("imgTitle"))
        return frmScoring->imgTitle;
    if (array == QLatin1String("Line1"))
        return frmScoring->Line1;
    return nullptr;
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
    void labelsAsDesigned_data();
    void labelsAsDesigned();
    void examplesAsDesigned_data();
    void examplesAsDesigned();
    void rowsFromTheTable_data();
    void rowsFromTheTable();
    void loadAgainKeepsRowsOfEmptyEntries();
    void sideBySide_data();
    void sideBySide();
    void scoringButtonPlacesHidesAndShows_data();
    void scoringButtonPlacesHidesAndShows();
    void closing_data();
    void closing();
    void pointerBackToArrow();
};

void TestScoring::initTestCase()
{
    useTemporaryDataFolder();
    openGame();
}

void TestScoring::init()
{
    setTable({"", "", "", "", ""}, {0, 0, 0, 0, 0});
    frmMain->move(frmMain->screen()->availableGeometry().center() - frmMain->rect().center());
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
    QCOMPARE(frmScoring->palette().color(QPalette::Window), QColor(241, 255, 241));
    QCOMPARE(frmScoring->grab().toImage().pixelColor(2, 500), QColor(241, 255, 241));

    // Modeless, and owned by the game window so that it stays in front of it.
    QVERIFY(frmScoring->isWindow());
    QVERIFY(!frmScoring->isModal());
    QCOMPARE(frmScoring->parentWidget(), frmMain);
    QCOMPARE(frmScoring->windowHandle()->transientParent(), frmMain->windowHandle());

    QCOMPARE(frmScoring->imgTitle->geometry(), twips(780, 150, 2910, 480));
    QCOMPARE(frmScoring->Line1->geometry(), QRect(8, 392, 281, 1));
}

void TestScoring::labelsAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixels"); // the font's size: 8.25, 9.75 and 13.5 points are 11, 13 and 18
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("alignment");

    const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;
    QTest::newRow("ways to score") << "lblText(1)" << twips(120, 705, 1935, 375) << "Ways to score:" << 18
                                   << false << left;
    const char *names[9] = {"One Pair",   "Two Pair",       "Triplet",        "Straight",   "Flush",
                            "Full House", "Four of a Kind", "Straight Flush", "Royal Flush"};
    const char *points[9] = {"2", "5", "10", "15", "20", "25", "50", "75", "100"};
    const int tops[9] = {1200, 1680, 2160, 2640, 3120, 3600, 4080, 4560, 5040};
    for (int i = 0; i < 9; ++i) {
        const QRect name = i == 3 ? twips(480, tops[i], 1095, 255) : twips(240, tops[i], 1335, 255);
        QTest::addRow("%s", names[i])
            << QStringLiteral("lblText(%1)").arg(2 + i) << name << names[i] << 13 << false << right;
        QTest::addRow("%s points", names[i])
            << QStringLiteral("lblText(%1)").arg(20 + i) << twips(1680, tops[i], 375, 255) << points[i] << 13
            << true << centre;
    }
    QTest::newRow("any order under Straight")
        << "lblText(0)" << twips(240, 2880, 1335, 255) << "(any order)" << 11 << false << right;
    QTest::newRow("any order under Straight Flush")
        << "lblText(11)" << twips(240, 4800, 1335, 255) << "(any order)" << 11 << false << right;
    QTest::newRow("any order under Royal Flush")
        << "lblText(12)" << twips(240, 5280, 1335, 255) << "(any order)" << 11 << false << right;
    QTest::newRow("target score") << "lblText(29)" << twips(2040, 5520, 1815, 255) << "Target Score" << 13
                                  << true << right;
    QTest::newRow("target") << "lblText(13)" << twips(3960, 5520, 375, 255) << "200" << 13 << true << centre;
    QTest::newRow("top scores") << "lblText(30)" << twips(120, 6045, 1935, 375) << "Top scores:" << 18
                                << false << left;
    for (int i = 0; i < 5; ++i) {
        QTest::addRow("score %d", i) << QStringLiteral("lblTopScore(%1)").arg(i)
                                     << twips(1680, 6120 + 360 * i, 375, 255) << "0" << 13 << true << centre;
        QTest::addRow("name %d", i) << QStringLiteral("lblTopName(%1)").arg(i)
                                    << twips(2160, 6120 + 360 * i, 2175, 255) << noName << 13 << false
                                    << left;
    }
}

void TestScoring::labelsAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(int, alignment);
    QVERIFY(openScoring());

    auto *label = qobject_cast<LabelControl *>(control(name));
    QVERIFY(label);
    QCOMPARE(label->geometry(), place);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->font().family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(label->font().pixelSize(), pixels);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(label->foreColor(), 0x008000u);
}

void TestScoring::examplesAsDesigned_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("tip");

    QTest::newRow("one pair") << 0 << 1095 << "Two cards of the same rank";
    QTest::newRow("two pair") << 1 << 1575 << "Two sets of two cards of the same rank";
    QTest::newRow("triplet") << 2 << 2055 << "Three cards of the same rank";
    QTest::newRow("straight") << 3 << 2535 << "Five cards in numerical order.  Ace counts high or low";
    QTest::newRow("flush") << 4 << 3015 << "Five cards of the same suit";
    QTest::newRow("full house") << 5 << 3495 << "One Pair and one Triplet";
    QTest::newRow("four of a kind") << 6 << 3975 << "Four cards of the same rank";
    QTest::newRow("straight flush")
        << 7 << 4455 << "Five cards of the same suit in numerical order.  Ace counts high or low";
    QTest::newRow("royal flush") << 8 << 4935 << "Cards 10, Jack, Queen, King, Ace (high) of the same suit";
}

void TestScoring::examplesAsDesigned()
{
    QFETCH(int, index);
    QFETCH(int, top);
    QFETCH(QString, tip);
    QVERIFY(openScoring());

    const ImageControl *example = frmScoring->imgExample[index];
    QCOMPARE(example->geometry(), twips(2280, top, 1950, 450));
    QCOMPARE(example->toolTip(), tip);
}

void TestScoring::rowsFromTheTable_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<QStringList>("shownNames");
    QTest::addColumn<QStringList>("shownScores");

    QTest::newRow("empty table") << QStringList{"", "", "", "", ""} << QList<int>{0, 0, 0, 0, 0}
                                 << QStringList{noName, noName, noName, noName, noName}
                                 << QStringList{"0", "0", "0", "0", "0"};
    QTest::newRow("full table") << QStringList{"Ann", "Ben", "Cy", "Di", "Ed"}
                                << QList<int>{321, 200, 99, 10, 1}
                                << QStringList{"Ann", "Ben", "Cy", "Di", "Ed"}
                                << QStringList{"321", "200", "99", "10", "1"};
    QTest::newRow("long names cut to twenty")
        << QStringList{"Maximilian Alexander Fitzgerald", "Exactly twenty chars", "", "", ""}
        << QList<int>{80, 70, 0, 0, 0}
        << QStringList{"Maximilian Alexander", "Exactly twenty chars", noName, noName, noName}
        << QStringList{"80", "70", "0", "0", "0"};
    QTest::newRow("names without scores stay out")
        << QStringList{"Ann", "Lost", "Cy", "Gone", "Ed"} << QList<int>{90, 0, 50, -3, 10}
        << QStringList{"Ann", noName, "Cy", noName, "Ed"} << QStringList{"90", "0", "50", "0", "10"};
}

void TestScoring::rowsFromTheTable()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, scores);
    QFETCH(QStringList, shownNames);
    QFETCH(QStringList, shownScores);
    setTable(names, scores);

    QVERIFY(openScoring());

    for (int i = 0; i < 5; ++i) {
        QCOMPARE(frmScoring->lblTopName[i]->text(), shownNames[i]);
        QCOMPARE(frmScoring->lblTopScore[i]->text(), shownScores[i]);
    }
    QCOMPARE(QString::fromStdString(topName[0]), names[0]);
}

void TestScoring::loadAgainKeepsRowsOfEmptyEntries()
{
    setTable({"Ann", "Ben", "Cy", "", ""}, {30, 20, 10, 0, 0});
    QVERIFY(openScoring());
    setTable({"Zed", "Ben", "", "", "Eve"}, {40, 20, 0, 0, 5});

    frmScoring->Form_Load();

    const QStringList names = {"Zed", "Ben", "Cy", noName, "Eve"};
    const QStringList scores = {"40", "20", "10", "0", "5"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(frmScoring->lblTopName[i]->text(), names[i]);
        QCOMPARE(frmScoring->lblTopScore[i]->text(), scores[i]);
    }
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
    if (atTheRightEdge)
        frmMain->move(screen.right() - frmMain->frameGeometry().width() + 1, screen.top() + 20);
    setTable({"Ann", "", "", "", ""}, {30, 0, 0, 0, 0});

    QPointer<FrmScoring> scoring = openScoring();
    QVERIFY(scoring && scoring->isVisible());
    const QRect main = frmMain->frameGeometry();
    const QRect beside = scoring->frameGeometry();
    QCOMPARE(beside.top(), main.top());
    const bool fits = (beside.width() + main.width()) * 15 + 100 < screen.width() * 15;
    if (fits) {
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
    setTable({"Bea", "", "", "", ""}, {60, 0, 0, 0, 0});
    frmMain->move(frmMain->frameGeometry().left(), frmMain->frameGeometry().top() + 30);
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    QCOMPARE(frmScoring, scoring.data());
    QVERIFY(scoring->isVisible());
    QCOMPARE(scoring->frameGeometry().top(), frmMain->frameGeometry().top());
    QCOMPARE(scoring->lblTopName[0]->text(), QStringLiteral("Ann"));
}

void TestScoring::closing_data()
{
    QTest::addColumn<QString>("target"); // a control, or the window's own surface
    QTest::addColumn<int>("key");        // pressed instead of a click when set
    QTest::addColumn<bool>("closes");

    QTest::newRow("surface") << "surface" << 0 << true;
    QTest::newRow("rule") << "Line1" << 0 << true;
    QTest::newRow("heading") << "lblText(1)" << 0 << true;
    QTest::newRow("combination name") << "lblText(5)" << 0 << true;
    QTest::newRow("any order") << "lblText(0)" << 0 << true;
    QTest::newRow("points") << "lblText(28)" << 0 << true;
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
    QTest::newRow("arrow") << QString() << int(Qt::Key_Left) << false;
    QTest::newRow("function key") << QString() << int(Qt::Key_F2) << false;
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
        QTest::keyClick(scoring->windowHandle(), static_cast<Qt::Key>(key));
    } else {
        const QWidget *clicked = target == QLatin1String("surface") ? nullptr : control(target);
        const QPoint where = clicked ? clicked->geometry().center() : QPoint(4, 500);
        // The rule lets clicks through to the surface beneath it.
        const QWidget *receiver =
            clicked && clicked->testAttribute(Qt::WA_TransparentForMouseEvents) ? nullptr : clicked;
        QVERIFY(scoring->childAt(where) == receiver);
        QTest::mouseClick(scoring->windowHandle(), Qt::LeftButton, Qt::NoModifier, where);
    }

    QCOMPARE(!frmScoring, closes);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(scoring.isNull(), closes);
    if (!closes)
        return;
    // The next click makes the window afresh, with the table as it is now.
    setTable({"Cleo", "", "", "", ""}, {75, 0, 0, 0, 0});
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

QTEST_MAIN(TestScoring)
#include "tst_scoring.moc"
