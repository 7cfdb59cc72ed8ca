// The credits link and the about window, driven through real pointer and key events. The about
// window is modal, so each test answers it from a call queued before the click that opens it.
#include "about/FrmAbout.h"
#include "controls/LabelControl.h"
#include "controls/vbColor.h"
#include "game/FrmMain.h"
#include "platform/executableFolder.h"
#include "platform/webBrowser.h"
#include "support/testSupport.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

using Answer = std::function<void(FrmAbout *)>;

static const QString separator(QLatin1Char(platform::pathSeparator));

// A pointer move as the window system delivers it: on a real X server too it has arrived, and
// gone to the control under the pointer, by the time this returns.
static void movePointer(QWidget *window, QPoint position)
{
    QTest::mouseMove(window->windowHandle(), position);
}

// Clicks the credits link and runs `answer` inside the modal about window. True when the window
// opened and the answer closed it; a window the answer left open is closed here so that the
// click returns.
static bool answerAbout(const Answer &answer)
{
    bool opened = false;
    bool leftOpen = false;
    QTimer::singleShot(0, frmMain, [&] {
        QPointer<FrmAbout> about = qobject_cast<FrmAbout *>(QApplication::activeModalWidget());
        if (!about)
            return;
        opened = true;
        if (QTest::qWaitForWindowExposed(about))
            answer(about);
        if (about && about->isVisible()) {
            leftOpen = true;
            about->cmdOK_Click();
        }
    });
    QTest::mouseClick(frmMain->lblCredits3, Qt::LeftButton);
    return opened && !leftOpen;
}

// A folder of its own holding the given page, or none when `page` is empty.
static QString folderWithPage(QTemporaryDir &folder, const QByteArray &page)
{
    if (!page.isEmpty()) {
        QFile file(folder.filePath(QStringLiteral("index.htm")));
        if (file.open(QIODevice::WriteOnly))
            file.write(page);
    }
    return QDir::toNativeSeparators(folder.path());
}

static QByteArray shippedPage()
{
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/index.htm"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static QByteArray pageTitled(const char *title)
{
    return QByteArray("<html><head><title>") + title + "</title></head><body><p>" + title +
           "</p></body></html>";
}

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void linkLook_data();
    void linkLook();
    void clickOpensPageModally();
    void closes_data();
    void closes();
    void layout_data();
    void layout();
    void pagePath_data();
    void pagePath();
    void missingPage();
    void eachOpeningNavigatesAfresh();
    void pointerResetOverWindow();
};

void TestAbout::initTestCase()
{
    testSupport::useTemporaryDataFolder();
    testSupport::openGame();
    // On a real X server the real pointer is kept off the windows, so that only the tests' own
    // moves reach them.
    QCursor::setPos(0, 0);
    QVERIFY(!shippedPage().isEmpty());
}

void TestAbout::init()
{
    frmMain->lblCredits3->setForeColor(0x008000);
    frmMain->lblCredits3->setUnderline(false);
}

// A test that failed half-way may leave its own about window open or its folder in place.
void TestAbout::cleanup()
{
    if (frmAbout)
        frmAbout->cmdOK_Click();
    platform::setExecutableFolderForTesting(QString());
}

void TestAbout::linkLook_data()
{
    QTest::addColumn<uint>("startColor");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<uint>("color");
    QTest::addColumn<bool>("underline");

    const uint normal = 0x008000;
    QTest::newRow("over the link") << normal << QStringList{"link"} << uint(vbButtonText) << true;
    QTest::newRow("on along the link")
        << normal << QStringList{"link", "link again"} << uint(vbButtonText) << true;
    QTest::newRow("link, then another credits label")
        << normal << QStringList{"link", "credits"} << uint(vbButtonText) << true;
    QTest::newRow("link, then the window") << normal << QStringList{"link", "surface"} << normal << false;
    QTest::newRow("link, label, window, link")
        << normal << QStringList{"link", "credits", "surface", "link"} << uint(vbButtonText) << true;
    QTest::newRow("window only") << normal << QStringList{"surface"} << normal << false;
    QTest::newRow("another colour is left alone")
        << 0xFF0000u << QStringList{"link", "surface"} << 0xFF0000u << false;
}

void TestAbout::linkLook()
{
    QFETCH(uint, startColor);
    QFETCH(QStringList, moves);
    QFETCH(uint, color);
    QFETCH(bool, underline);

    LabelControl *link = frmMain->lblCredits3;
    const QRect linkArea = link->geometry();
    const QPoint surface(linkArea.left() - 4, linkArea.center().y());
    QVERIFY(!frmMain->childAt(surface));
    const QMap<QString, QPoint> places{{"link", linkArea.center()},
                                       {"link again", linkArea.center() + QPoint(12, 0)},
                                       {"credits", frmMain->lblCredits2->geometry().center()},
                                       {"surface", surface}};

    movePointer(frmMain, QPoint(frmMain->width() - 2, frmMain->height() - 2));
    link->setForeColor(startColor);
    for (const QString &place : moves)
        movePointer(frmMain, places[place]);

    QCOMPARE(link->foreColor(), color);
    QCOMPARE(link->underline(), underline);
    QCOMPARE(link->palette().color(QPalette::WindowText), vbColor(color));
}

void TestAbout::clickOpensPageModally()
{
    QSignalSpy newClicks(frmMain->cmdNew, &QPushButton::clicked);
    movePointer(frmMain, frmMain->lblCredits3->geometry().center());
    const bool answered = answerAbout([&](FrmAbout *about) {
        QCOMPARE(about, frmAbout);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Tallyfive"));
        QCOMPARE(about->windowModality(), Qt::ApplicationModal);
        QVERIFY(!about->parentWidget());
        QCOMPARE(about->size(), QSize(409, 273));
        QVERIFY((about->geometry().center() - frmMain->geometry().center()).manhattanLength() <= 2);

        QCOMPARE(about->webBrowser->geometry(), QRect(8, 8, 393, 223));
        QCOMPARE(about->cmdOK->geometry(), QRect(317, 241, 84, 23));
        QCOMPARE(about->cmdOK->text(), QStringLiteral("Close"));
        QVERIFY(about->cmdOK->isDefault());
        QCOMPARE(QApplication::focusWidget(), about->cmdOK);

        QCOMPARE(about->webBrowser->location(),
                 platform::executableFolder() + separator + QStringLiteral("index.htm"));
        QCOMPARE(about->webBrowser->documentTitle(), QStringLiteral("About Tallyfive"));
        const QString text = about->webBrowser->toPlainText();
        for (const char *words :
             {"How to play", "Royal Flush", "Ctrl+Z", "Top scores", "Programmed by Brindlow"})
            QVERIFY2(text.contains(QLatin1String(words)), words);

        // The game window is shut out while the about window is open: a click on New and a move
        // over the window's surface, both as the window system delivers them, go unseen.
        QWindow *gameWindow = frmMain->windowHandle();
        QTest::mouseClick(gameWindow, Qt::LeftButton, Qt::NoModifier, frmMain->cmdNew->geometry().center());
        QCOMPARE(newClicks.count(), 0);
        const QRect linkArea = frmMain->lblCredits3->geometry();
        movePointer(frmMain, QPoint(linkArea.left() - 4, linkArea.center().y()));

        QTest::keyClick(about, Qt::Key_Escape);
    });
    QVERIFY(answered);
    QVERIFY(!frmAbout);
    // The move over the game window went unseen: the link stays lit until the next one.
    QCOMPARE(frmMain->lblCredits3->foreColor(), uint(vbButtonText));
}

enum CloseBy { EnterKey, EscKey, EnterInPage, EscInPage, CloseClicked, SpaceOnClose, CloseBox };

void TestAbout::closes_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Enter") << int(EnterKey);
    QTest::newRow("Esc") << int(EscKey);
    QTest::newRow("Enter with the page focused") << int(EnterInPage);
    QTest::newRow("Esc with the page focused") << int(EscInPage);
    QTest::newRow("Close clicked") << int(CloseClicked);
    QTest::newRow("Space on Close") << int(SpaceOnClose);
    QTest::newRow("close box") << int(CloseBox);
}

void TestAbout::closes()
{
    QFETCH(int, how);
    QPointer<FrmAbout> opened;
    const bool answered = answerAbout([&](FrmAbout *about) {
        opened = about;
        if (how == EnterInPage || how == EscInPage) {
            about->webBrowser->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), about->webBrowser);
        }
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : about;
        switch (how) {
        case EnterKey:
        case EnterInPage:
            QTest::keyClick(focus, Qt::Key_Return);
            break;
        case EscKey:
        case EscInPage:
            QTest::keyClick(focus, Qt::Key_Escape);
            break;
        case CloseClicked:
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
            break;
        case SpaceOnClose:
            QTest::keyClick(about->cmdOK, Qt::Key_Space);
            break;
        case CloseBox:
            about->close();
            break;
        }
    });
    QVERIFY(answered);
    QVERIFY(!frmAbout);
    // Closing unloads the window.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(opened.isNull());
}

void TestAbout::layout_data()
{
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QRect>("browser");
    QTest::addColumn<QRect>("button");
    QTest::newRow("as designed") << QSize(409, 273) << QRect(8, 8, 393, 223) << QRect(317, 241, 84, 23);
    QTest::newRow("larger") << QSize(600, 400) << QRect(8, 8, 584, 350) << QRect(508, 368, 84, 23);
    QTest::newRow("just room for both") << QSize(92, 50) << QRect(8, 8, 76, 0) << QRect(0, 18, 84, 23);
    QTest::newRow("too low for the view") << QSize(40, 20) << QRect(8, 8, 24, 0) << QRect(-52, -12, 84, 23);
    QTest::newRow("tiny") << QSize(10, 10) << QRect(8, 8, 0, 0) << QRect(-82, -22, 84, 23);
}

void TestAbout::layout()
{
    QFETCH(QSize, inner);
    QFETCH(QRect, browser);
    QFETCH(QRect, button);

    frmAbout = new FrmAbout;
    QPointer<FrmAbout> about = frmAbout;
    about->setFixedSize(inner);
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->webBrowser->geometry(), browser);
    QCOMPARE(about->cmdOK->geometry(), button);
    about->cmdOK_Click();
    QVERIFY(!frmAbout);
}

void TestAbout::pagePath_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("between");
    QTest::newRow("folder without a separator at its end") << QString() << separator;
    QTest::newRow("folder ending in a separator") << separator << separator + separator;
}

void TestAbout::pagePath()
{
    QFETCH(QString, ending);
    QFETCH(QString, between);

    QTemporaryDir folder;
    const QString path = folderWithPage(folder, shippedPage());
    platform::setExecutableFolderForTesting(path + ending);
    const bool answered = answerAbout([&](FrmAbout *about) {
        QCOMPARE(about->webBrowser->location(), path + between + QStringLiteral("index.htm"));
        QCOMPARE(about->webBrowser->documentTitle(), QStringLiteral("About Tallyfive"));
        about->cmdOK_Click();
    });
    QVERIFY(answered);
}

void TestAbout::missingPage()
{
    QTemporaryDir folder;
    platform::setExecutableFolderForTesting(folderWithPage(folder, QByteArray()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No document for .*index\\.htm")));
    const bool answered = answerAbout([&](FrmAbout *about) {
        QVERIFY(about->webBrowser->toPlainText().isEmpty());
        QCOMPARE(about->webBrowser->geometry(), QRect(8, 8, 393, 223));
        QCOMPARE(about->cmdOK->geometry(), QRect(317, 241, 84, 23));
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    QVERIFY(answered);
    QVERIFY(!frmAbout);
}

void TestAbout::eachOpeningNavigatesAfresh()
{
    QTemporaryDir first;
    QTemporaryDir second;
    QStringList titles;
    const Answer readTitle = [&](FrmAbout *about) {
        titles.append(about->webBrowser->documentTitle());
        QTest::keyClick(about, Qt::Key_Escape);
    };

    platform::setExecutableFolderForTesting(folderWithPage(first, pageTitled("First")));
    QVERIFY(answerAbout(readTitle));
    platform::setExecutableFolderForTesting(folderWithPage(second, pageTitled("Second")));
    QVERIFY(answerAbout(readTitle));
    QCOMPARE(titles, QStringList({"First", "Second"}));
}

void TestAbout::pointerResetOverWindow()
{
    // The corner cell cannot take a card at the start of a game: the not-allowed pointer.
    testSupport::openGame();
    movePointer(frmMain, testSupport::cellCentre(0));
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);

    const bool answered = answerAbout([&](FrmAbout *about) {
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
        const QPoint surface(about->width() / 3, about->height() - 12);
        QVERIFY(!about->childAt(surface));
        movePointer(about, surface);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        about->cmdOK_Click();
    });
    QVERIFY(answered);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
