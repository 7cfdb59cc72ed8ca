// The credits link and the about window, driven through real pointer and key events. The about
// window is modal, so each test answers it from a call queued before the click that opens it.
#include "about/FrmAbout.h"
#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/vbColor.h"
#include "game/FrmMain.h"
#include "platform/WebBrowser.h"
#include "platform/executableFolder.h"
#include "platform/testHooks.h"
#include "support/testSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <functional>

static const QString separator(QLatin1Char(platform::pathSeparator));
// The schemes of the links the tests follow: none of them reaches the system's own programs.
static const char *const linkSchemes[] = {"http", "https", "mailto",   "javascript",
                                          "data", "smb",   "tallyfive"};

// Clicks the credits link and runs `answer` inside the modal about window. True when the window
// opened and the answer closed it; a window the answer left open is closed here so that the
// click returns.
static bool answerAbout(
    const std::function<void(FrmAbout *)> &answer,
    const std::function<void()> &open = [] { QTest::mouseClick(frmMain->lblCredits3, Qt::LeftButton); })
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
    open();
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

class TestAbout : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the system's programs for the links the tests follow.
    void openUrl(const QUrl &url) { openedLinks += url.toString(); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void linkLook_data();
    void linkLook();
    void litLinkLegibleUnderADarkTheme();
    void clickOpensPageModally();
    void keysOpenIt_data();
    void keysOpenIt();
    void closes_data();
    void closes();
    void layout_data();
    void layout();
    void pageFromTheProgramsFolder_data();
    void pageFromTheProgramsFolder();
    void badPagesAreBounded_data();
    void badPagesAreBounded();
    void pointerResetOverWindow();

private:
    QStringList openedLinks;
};

void TestAbout::initTestCase()
{
    testSupport::useTemporaryDataFolder();
    testSupport::openGame();
    // On a real X server the real pointer is kept off the windows, so that only the tests' own
    // moves reach them.
    QCursor::setPos(0, 0);
    QVERIFY(!shippedPage().isEmpty());
    for (const char *scheme : linkSchemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
}

void TestAbout::cleanupTestCase()
{
    for (const char *scheme : linkSchemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
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
    platform::setExecutableFolder(QString());
}

void TestAbout::linkLook_data()
{
    QTest::addColumn<uint>("start");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<uint>("end"); // the link is underlined when lit

    const uint normal = 0x008000;
    const uint lit = vbButtonText;
    QTest::newRow("over the link") << normal << "link" << lit;
    QTest::newRow("on along the link") << normal << "link link-again" << lit;
    QTest::newRow("link, then another credits label") << normal << "link credits" << lit;
    QTest::newRow("link, then the window") << normal << "link surface" << normal;
    QTest::newRow("link, label, window, link") << normal << "link credits surface link" << lit;
    QTest::newRow("window only") << normal << "surface" << normal;
    QTest::newRow("another colour is left alone") << 0xFF0000u << "link surface" << 0xFF0000u;
}

void TestAbout::linkLook()
{
    QFETCH(uint, start);
    QFETCH(QString, moves);
    QFETCH(uint, end);

    LabelControl *link = frmMain->lblCredits3;
    const QRect linkArea = link->geometry();
    const QPoint surface(linkArea.left() - 4, linkArea.center().y());
    QVERIFY(!frmMain->childAt(surface));
    const QMap<QString, QPoint> places{{"link", linkArea.center()},
                                       {"link-again", linkArea.center() + QPoint(12, 0)},
                                       {"credits", frmMain->lblCredits2->geometry().center()},
                                       {"surface", surface}};

    testSupport::movePointer(QPoint(frmMain->width() - 2, frmMain->height() - 2));
    link->setForeColor(start);
    for (const QString &place : moves.split(QLatin1Char(' ')))
        testSupport::movePointer(places[place]);

    QCOMPARE(link->foreColor(), end);
    QCOMPARE(link->underline(), end == uint(vbButtonText));
    QCOMPARE(link->palette().color(QPalette::WindowText), vbColor(end, link));
}

// Under a dark desktop theme the game's light surfaces keep the light palette they are drawn for, so
// the lit link stays legible on the pale green.
void TestAbout::litLinkLegibleUnderADarkTheme()
{
    const QPalette desktop = QApplication::palette();
    QPalette dark = desktop;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    QApplication::setPalette(dark);
    // A game window made under the dark theme, as at the start of a run on such a desktop.
    FrmMain game;
    game.lblCredits3_MouseMove(0, 0, 0, 0);
    const QColor lit = game.lblCredits3->palette().color(QPalette::WindowText);
    QApplication::setPalette(desktop);
    QCOMPARE(game.lblCredits3->foreColor(), uint(vbButtonText));
    QVERIFY2(testSupport::contrast(lit, vbColor(0xF1FFF1)) >= 4.5, qPrintable(lit.name()));
}

void TestAbout::clickOpensPageModally()
{
    QSignalSpy newClicks(frmMain->cmdNew, &QPushButton::clicked);
    testSupport::movePointer(frmMain->lblCredits3->geometry().center());
    const bool answered = answerAbout([&](FrmAbout *about) {
        QCOMPARE(about, frmAbout);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Tallyfive"));
        QCOMPARE(about->windowModality(), Qt::ApplicationModal);
        QVERIFY(!about->parentWidget());
        QCOMPARE(about->size(), QSize(409, 273));
        // Centred on the game window, frames included, once a window manager has framed it.
        QTRY_VERIFY((about->frameGeometry().center() - frmMain->frameGeometry().center()).manhattanLength() <=
                    2);
        QCOMPARE(about->cmdOK->text(), QStringLiteral("Close"));
        QVERIFY(about->cmdOK->isDefault());
        QTRY_COMPARE(QApplication::focusWidget(), about->cmdOK); // once the window system has activated it

        QCOMPARE(about->webBrowser->documentTitle(), QStringLiteral("About Tallyfive"));

        // The game window is shut out while the about window is open: a click on New and a move
        // over the window's surface, both as the window system delivers them, go unseen.
        QWindow *gameWindow = frmMain->windowHandle();
        QTest::mouseClick(gameWindow, Qt::LeftButton, Qt::NoModifier, frmMain->cmdNew->geometry().center());
        QCOMPARE(newClicks.count(), 0);
        const QRect linkArea = frmMain->lblCredits3->geometry();
        testSupport::movePointer(QPoint(linkArea.left() - 4, linkArea.center().y()));

        QTest::keyClick(about, Qt::Key_Escape);
    });
    QVERIFY(answered);
    QVERIFY(!frmAbout);
    // The move over the game window went unseen: the link stays lit until the next one.
    QCOMPARE(frmMain->lblCredits3->foreColor(), uint(vbButtonText));
}

void TestAbout::keysOpenIt_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter on the link, reached by Tab from Quit") << int(Qt::Key_Return);
    QTest::newRow("F1, wherever the focus is") << int(Qt::Key_F1);
}

// Without a mouse: the credits link takes the focus, Enter on it opens the about window, as F1 does
// anywhere in the game window, and Esc closes it again.
void TestAbout::keysOpenIt()
{
    QFETCH(int, key);
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    frmMain->cmdQuit->setFocus();
    if (key == Qt::Key_Return) {
        QTest::keyClick(frmMain->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), frmMain->lblCredits3);
    }
    QVERIFY(answerAbout([](FrmAbout *about) { QTest::keyClick(about->windowHandle(), Qt::Key_Escape); },
                        [key] { QTest::keyClick(frmMain->windowHandle(), Qt::Key(key)); }));
    QVERIFY(!frmAbout);
}

void TestAbout::closes_data()
{
    QTest::addColumn<bool>("pageFocused");
    QTest::addColumn<int>("key"); // 0 clicks Close, -1 uses the close box
    QTest::newRow("Enter") << false << int(Qt::Key_Return);
    QTest::newRow("Enter with the page focused") << true << int(Qt::Key_Return);
    QTest::newRow("Close clicked") << false << 0;
    QTest::newRow("close box") << false << -1;
}

void TestAbout::closes()
{
    QFETCH(bool, pageFocused);
    QFETCH(int, key);
    const bool answered = answerAbout([&](FrmAbout *about) {
        if (pageFocused) {
            about->webBrowser->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), about->webBrowser);
        }
        if (key > 0)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about, Qt::Key(key));
        else if (key == 0)
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        else
            about->close();
    });
    QVERIFY(answered);
    // Closing unloads the window.
    QVERIFY(!frmAbout);
}

void TestAbout::layout_data()
{
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QRect>("browser");
    QTest::addColumn<QRect>("button");
    QTest::newRow("as designed") << QSize(409, 273) << QRect(8, 8, 393, 223) << QRect(317, 241, 84, 23);
    QTest::newRow("tiny") << QSize(10, 10) << QRect(8, 8, 0, 0) << QRect(-82, -22, 84, 23);
}

void TestAbout::layout()
{
    QFETCH(QSize, inner);
    QFETCH(QRect, browser);
    QFETCH(QRect, button);

    frmAbout = new FrmAbout(frmMain);
    QPointer<FrmAbout> about = frmAbout;
    about->setFixedSize(inner);
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->webBrowser->geometry(), browser);
    QCOMPARE(about->cmdOK->geometry(), button);
    about->cmdOK_Click();
    testSupport::unloadClosedWindows();
    QVERIFY(!frmAbout);
}

void TestAbout::pageFromTheProgramsFolder_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("between");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("title");
    const QString title = QStringLiteral("About Tallyfive");
    QTest::newRow("folder without a separator at its end")
        << QString() << separator << shippedPage() << title;
    QTest::newRow("folder ending in a separator")
        << separator << separator + separator << shippedPage() << title;
    // The window opens, lays out and closes as ever, with nothing to show.
    QTest::newRow("no page") << QString() << separator << QByteArray() << QString();
}

void TestAbout::pageFromTheProgramsFolder()
{
    QFETCH(QString, ending);
    QFETCH(QString, between);
    QFETCH(QByteArray, page);
    QFETCH(QString, title);

    QTemporaryDir folder;
    const QString path = folderWithPage(folder, page);
    platform::setExecutableFolder(path + ending);

    bool answered = answerAbout([&](FrmAbout *about) {
        QCOMPARE(about->webBrowser->location(), path + between + QStringLiteral("index.htm"));
        QCOMPARE(about->webBrowser->documentTitle(), title);
        // The page that lies beside the program is shown whole, as it is written.
        QTextDocument whole;
        whole.setHtml(QString::fromUtf8(page));
        QCOMPARE(about->webBrowser->toPlainText(), whole.toPlainText());
        QCOMPARE(about->webBrowser->geometry(), QRect(8, 8, 393, 223));
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    QVERIFY(answered);

    // Each opening navigates afresh: the page shows as it is now.
    folderWithPage(folder, "<html><head><title>Changed</title></head></html>");
    answered = answerAbout([](FrmAbout *about) {
        QCOMPARE(about->webBrowser->documentTitle(), QStringLiteral("Changed"));
        QTest::keyClick(about, Qt::Key_Escape);
    });
    QVERIFY(answered);
}

void TestAbout::badPagesAreBounded_data()
{
    QTest::addColumn<QString>("place");   // what stands where the page should be
    QTest::addColumn<QByteArray>("page"); // a page's text, when it is a file; %1 is its folder
    QTest::addColumn<QString>("shown");   // the view's text at the end, as a pattern
    QTest::addColumn<QString>("said");    // what stderr says of it, as a pattern
    QTest::addColumn<int>("pixels");      // the pixels of the pictures it decodes
    QTest::addColumn<QString>("opened");  // a link the system is asked to open

    const QByteArray kept = "<p>kept</p>";
    const auto pictures = [](int count) { // one picture under as many addresses
        QByteArray tags;
        for (int picture = 0; picture < count; ++picture)
            tags += "<img src=\"half.gif?" + QByteArray::number(picture) + "\">";
        return tags;
    };
    const QString cut = QStringLiteral("only up to its character \\d+: ");
    const auto row = [&](const char *name, const QByteArray &page, const char *shown, const QString &said,
                         int pixels = 0, const QString &opened = QString()) {
        QTest::newRow(name) << "file" << page << shown << said << pixels << opened;
    };
    QTest::newRow("FIFO") << "fifo" << QByteArray() << "" << QString() << 0 << QString();
    QTest::newRow("device") << "device" << QByteArray() << "" << QString() << 0 << QString();
    QTest::newRow("oversized") << "oversized" << QByteArray() << "" << QString() << 0 << QString();
    row("nesting through items", kept + QByteArray("<li><p>").repeated(1000) + "lost", "kept",
        cut + "its elements nest more than 40 deep");
    row("deep tables", kept + QByteArray("<table><tr><td>").repeated(30) + "lost", "kept",
        cut + "its tables and cells nest more than 6 deep");
    row("a long list", kept + "<ul>" + QByteArray("<li>i").repeated(600) + "</ul>lost", "kept(\\si){500}",
        cut + "a list in it has more than 500 items");
    row("a lopsided table",
        kept + "<table><tr>" + QByteArray("<td>").repeated(100) + QByteArray("<tr><td>").repeated(100) +
            "lost",
        "kept\\s*", cut + "it holds more than can be laid out in a moment");
    row("one long word", kept + QByteArray("x").repeated(40000) + "lost", "kept\\sx{32000,32760}",
        cut + "it holds more text than can be laid out in a moment");
    row("a letter under many marks", kept + "a" + QByteArray("\xcc\x81").repeated(100) + "lost", "kept",
        cut + "a letter in it carries more than 32 marks");
    row("marks apart from their letter", kept + "a" + QByteArray("<b>&#769;</b>").repeated(300) + "lost",
        "kept\\sa\\x{301}{250,256}", cut + "more than 256 of its marks lie apart from their letters");
    row("text turned again and again", kept + QByteArray("\xe2\x80\xae").repeated(100) + "lost",
        "kept\\s\\x{202e}{64}", cut + "it changes the direction of its text more than 64 times");
    row("a style sheet of many rules", "<style>" + QByteArray("p{}").repeated(300) + "</style>" + kept,
        "kept", QStringLiteral("leaves out a style sheet of the page \"index.htm\": it is longer than"));
    row("style rules for many elements",
        "<style>" + QByteArray(".a,").repeated(200) + "b{}</style>" + kept +
            QByteArray("<b></b>").repeated(3000) + "lost",
        "kept", cut + "its style sheets take too long to apply to all its elements");
    row("lines too tall to measure", kept + "<p style=\"line-height:30000000px\">all</p>", "kept\\sall",
        QStringLiteral("without its styles: laid out with them, it could grow too tall"));
    row("many pictures", kept + pictures(300) + "lost", "kept", cut + "it shows more than 256 pictures",
        2048 * 2048);
    row("a picture bomb", kept + "<img src=\"bomb.gif\">", "kept",
        QStringLiteral("leaves out the picture \"bomb.gif\""));
    row("a picture under twenty addresses", kept + pictures(20), "kept",
        QStringLiteral("leaves out the picture \"half.gif\""), 2048 * 2048);
    row("a picture bomb named by its path", kept + "<img src=\"%1/bomb.gif\">", "kept", QString());
    row("a FIFO named by its path", kept + "<img src=\"%1/fifo.gif\">", "kept", QString());
    row("a picture from a device", kept + "<img src=\"file:///dev/zero\">", "kept", QString());
    const QString follows = QStringLiteral("does not follow the link \"%1\": only web and mail links leave");
    for (const char *link :
         {"javascript:alert(1)", "data:text/html,x", "smb://host/share", "tallyfive:made-up"})
        row(link, kept + "<a href=\"" + link + "\">go</a>", "kept\\sgo",
            follows.arg(QRegularExpression::escape(link)));
    for (const char *link : {"http://brindlow.net/", "https://brindlow.net/", "mailto:player@brindlow.net"})
        row(link, kept + "<a href=\"" + link + "\">go</a>", "kept\\sgo", QString(), 0,
            QString::fromLatin1(link));
    row("a link to a device", kept + "<a href=\"file:///dev/zero\">go</a>", "", QString());
    row("a link out of the folder", kept + "<a href=\"file:///etc/hostname\">go</a>", "", QString());
}

// Nothing in the page's place, or that the page shows or links to, can hang the view or swamp it: the
// view shows the page as far as its bounds allow, decodes its pictures within theirs, says so, and
// the program answers again at once.
void TestAbout::badPagesAreBounded()
{
    QFETCH(QString, place);
    QFETCH(QByteArray, page);
    QFETCH(QString, shown);
    QFETCH(QString, said);
    QFETCH(int, pixels);
    QFETCH(QString, opened);
    QTemporaryDir folder;
    const QString index = folder.filePath(QStringLiteral("index.htm"));
    if (place == QLatin1String("file"))
        folderWithPage(folder, page.replace("%1", folder.path().toUtf8()));
    else
        QVERIFY(testSupport::layBadFile(index, place, 96 << 20)); // sparse: no time or disk spent
    QVERIFY(testSupport::layBadFile(folder.filePath(QStringLiteral("bomb.gif")), QStringLiteral("bomb")));
    QVERIFY(
        testSupport::layBadFile(folder.filePath(QStringLiteral("half.gif")), QStringLiteral("bomb"), 2048));
    QVERIFY(testSupport::layBadFile(folder.filePath(QStringLiteral("fifo.gif")), QStringLiteral("fifo")));
    if (!said.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(said));
    platform::setExecutableFolder(folder.path());
    openedLinks.clear();
    const bool answered = answerAbout([&](FrmAbout *about) {
        platform::WebBrowser *view = about->webBrowser;
        view->grab(); // laid out and painted, pictures and all
        if (page.contains("<a href")) {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Tab);
            QTest::keyClick(view, Qt::Key_Return);
        }
        QString text = view->toPlainText().remove(QChar::ObjectReplacementCharacter).trimmed();
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(shown)).match(text).hasMatch(),
                 qPrintable(text.left(80)));
        qint64 decoded = 0;
        for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QTextFormat format = fragment.fragment().charFormat();
                const QPixmap picture =
                    view->document()
                        ->resource(QTextDocument::ImageResource, format.toImageFormat().name())
                        .value<QPixmap>();
                decoded += format.isImageFormat() && picture.width() > 1
                               ? qint64(picture.width()) * picture.height()
                               : 0;
            }
        }
        QCOMPARE(decoded, pixels);
        QCOMPARE(openedLinks, opened.isEmpty() ? QStringList() : QStringList(opened));
        // The program answers again: a call queued now runs within a second.
        QElapsedTimer clock;
        clock.start();
        qint64 ran = -1;
        QTimer::singleShot(0, [&] { ran = clock.elapsed(); });
        QVERIFY(QTest::qWaitFor([&] { return ran >= 0; }) && ran < 1000);
        about->cmdOK_Click();
    });
    QVERIFY(answered);
}

void TestAbout::pointerResetOverWindow()
{
    // The corner cell cannot take a card at the start of a game: the not-allowed pointer.
    testSupport::openGame();
    testSupport::movePointer(frmMain->imgCard[0]->geometry().center());
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);

    const bool answered = answerAbout([&](FrmAbout *about) {
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
        const QPoint surface(about->width() / 3, about->height() - 12);
        QVERIFY(!about->childAt(surface));
        QTest::mouseMove(about->windowHandle(), surface);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        about->cmdOK_Click();
    });
    QVERIFY(answered);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
