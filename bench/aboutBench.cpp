// How long the about window takes to open, and how much memory the game then peaks at, for the worst
// pages that fit under the page's size bound. Each page opens in a process of its own, so that each
// peak is that page's alone; a page that takes longer than the time allowed is stopped and said so.
//   tallyfive_about_bench [SECONDS]      every page, each allowed SECONDS (60)
//   tallyfive_about_bench PAGE [COUNT]   one page, its repeated part COUNT times (as many as fit)
#include "support/testSupport.h"

#include "about/FrmAbout.h"
#include "game/FrmMain.h"
#include "platform/WebBrowser.h"
#include "platform/gifStructure.h"
#include "platform/loadPicture.h"
#include "platform/testHooks.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace
{

constexpr qint64 pageBound = 1 << 20;

struct Page {
    const char *name;
    QByteArray head, unit, tail; // the unit is repeated as often as fits under the bound
    int pictures;                // pictures beside the page, named 0.gif, 1.gif...
    int side = 4096;             // of those pictures, in pixels
};

// Something of every kind at once: a style sheet, a long list, a lopsided table and pictures, then
// one long word.
const QByteArray everything = "<style>" + QByteArray(".z .b{color:red}").repeated(120) + "</style><ul>" +
                              QByteArray("<li class=b>item").repeated(499) + "</ul><table><tr>" +
                              QByteArray("<td>x").repeated(45) + QByteArray("<tr><td>y").repeated(45) +
                              "</table>" + QByteArray("<img src=0.gif>") +
                              QByteArray("<img src=1.gif>").repeated(200);

const Page pages[] = {
    {"deep tables", "<p>Deep tables</p>", "<table border=1><tr><td>x", "", 0},
    {"a long list", "<p>A long list</p><ul>", "<li>item\n", "</ul>", 0},
    {"a lopsided table", "<p>A lopsided table</p><table><tr>", "<td>x", "<tr><td>y", 0},
    {"many paragraphs", "", "<p>x</p>", "", 0},
    {"deep inline nesting", "<p>Deep inline nesting</p>", "<b><i>x", "", 0},
    {"nesting through items", "<p>Nesting through items</p>", "<li><p>", "", 0},
    {"one long word", "<p>One long word</p>", "x", "", 0},
    {"one letter, many marks", "<p>One letter, many marks</p>a", "\xcc\x81", "", 0},
    {"many style rules",
     "<style>" + QByteArray(".z .b{color:red}").repeated(250) + "</style>" + QByteArray("<div>").repeated(37),
     "<span class=b>x</span>", "", 0},
    {"many scripts and marks", "<p>Many scripts and marks</p>",
     "a\xcc\x81\xe4\xb8\x80\xd8\xb3\xd9\x84\xf0\x9f\x98\x80\xe2\x80\x8d\xf0\x9f\x98\x80\xe1\x84\x80"
     "\xe1\x85\xa1\xe0\xa4\x95\xe0\xa5\x8d\xe0\xa4\xb7 ",
     "", 0},
    {"twenty large pictures", "<p>Twenty large pictures</p>",
     "<img src=0.gif><img src=1.gif><img src=2.gif><img src=3.gif><img src=4.gif><img src=5.gif><img "
     "src=6.gif><img src=7.gif><img src=8.gif><img src=9.gif><img src=10.gif><img src=11.gif><img "
     "src=12.gif><img src=13.gif><img src=14.gif><img src=15.gif><img src=16.gif><img src=17.gif><img "
     "src=18.gif><img src=19.gif>",
     "", 20},
    {"a large picture under many addresses", "<p>A large picture under many addresses</p>",
     "<img src=\"0.gif?%1\">", "", 1},
    {"everything at once", everything, "x", "", 2, 1448},
};

// The page with its repeated part `count` times, or as often as fits under the bound; "%1" in the
// part is each repetition's number. The lopsided table repeats its tail as often as its part.
QByteArray makePage(const Page &page, int count)
{
    const bool twoParts = page.tail.startsWith("<tr>");
    QByteArray units, tails;
    for (int i = 0; count < 0 || i < count; ++i) {
        const QByteArray unit = QByteArray(page.unit).replace("%1", QByteArray::number(i));
        const QByteArray tail = twoParts ? page.tail : QByteArray();
        if (page.head.size() + units.size() + tails.size() + unit.size() + tail.size() + page.tail.size() >
            pageBound)
            break;
        units += unit;
        tails += tail;
        if (page.unit.startsWith("<img src=0.gif>"))
            break;
    }
    return page.head + units + (twoParts ? tails : page.tail);
}

qint64 peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Opens the about window on the page, shown, wholly laid out and painted once; prints the time it
// took, the memory at its peak and how much of the page's text the view shows.
int openPage(const Page &page, int count)
{
    // A page past every bound must not take the machine's memory with it.
    const rlimit addressSpace{rlim_t(4) << 30, rlim_t(4) << 30};
    setrlimit(RLIMIT_AS, &addressSpace);
    testSupport::openGame();
    const qint64 gameAlone = peakKilobytes();
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("index.htm")));
    const QByteArray html = makePage(page, count);
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size())
        return 1;
    file.close();
    for (int picture = 0; picture < page.pictures; ++picture)
        testSupport::layBadFile(folder.filePath(QStringLiteral("%1.gif").arg(picture)),
                                QStringLiteral("bomb"), page.side);
    platform::setExecutableFolder(folder.path());

    QElapsedTimer timer;
    timer.start();
    frmAbout = new FrmAbout(frmMain);
    frmAbout->show();
    if (!QTest::qWaitForWindowExposed(frmAbout))
        return 1;
    QTextDocument *document = frmAbout->webBrowser->document();
    document->documentLayout()->blockBoundingRect(document->lastBlock());
    frmAbout->grab();
    const qint64 elapsed = timer.elapsed();
    std::printf("%-38s %8.2f MB %9lld ms %7.0f MB %7.0f MB %9lld chars\n", page.name, html.size() / 1048576.0,
                elapsed, peakKilobytes() / 1024.0, gameAlone / 1024.0,
                static_cast<long long>(document->characterCount()));
    return 0;
}

void openEveryPage(const QString &program, int seconds)
{
    std::printf("%-38s %11s %12s %10s %10s %15s\n", "page", "size", "open", "peak", "game alone", "shown");
    std::fflush(stdout);
    for (const Page &page : pages) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        child.start(program, {QString::fromLatin1(page.name)});
        if (!child.waitForFinished(seconds * 1000)) {
            child.kill();
            child.waitForFinished();
            std::printf("%-38s %24s\n", page.name, qPrintable(QStringLiteral("> %1 s").arg(seconds)));
        } else if (child.exitCode() != 0) {
            std::printf("%-38s %24s\n", page.name, "failed");
        }
        std::fflush(stdout);
    }
}

// A card's picture loaded again and again as the game loads it, read and checked each time and decoded
// the first, and the same bytes decoded alone, for the cost of the checks made before decoding.
void measureCardLoading()
{
    const QString path = frmMain->getCardImageFilename(1, 1);
    const int loads = 2000;
    QElapsedTimer timer;
    timer.start();
    QString problem;
    for (int load = 0; load < loads; ++load)
        platform::LoadPicture(path, QSize(71, 96), &problem);
    const double checked = timer.nsecsElapsed() / 1e3 / loads;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    timer.restart();
    for (int load = 0; load < loads; ++load)
        QImage::fromData(bytes, "gif");
    const double decoded = timer.nsecsElapsed() / 1e3 / loads;
    timer.restart();
    for (int load = 0; load < loads; ++load)
        problem += platform::checkGifStructure(bytes);
    const double walked = timer.nsecsElapsed() / 1e3 / loads;
    std::printf("a card's picture: read and checked in %.1f us; decoded alone from memory in %.1f us, "
                "its blocks walked alone in %.2f us%s\n",
                checked, decoded, walked, problem.isEmpty() ? "" : " (it did not load)");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testSupport::useTemporaryDataFolder();
    QApplication application(argc, argv);
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (const Page &page : pages) {
        if (first == QLatin1String(page.name))
            return openPage(page, argc > 2 ? std::atoi(argv[2]) : -1);
    }
    const int seconds = first.toInt() > 0 ? first.toInt() : 60;
    openEveryPage(QCoreApplication::applicationFilePath(), seconds);
    testSupport::openGame();
    measureCardLoading();
    return 0;
}
