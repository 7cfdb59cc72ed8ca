// How fast the game works: lines scored per second through the game window, and the time one
// placement takes from the click until the window has painted what changed, over many whole games.
#include "support/testSupport.h"

#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "rules/handEvaluation.h"
#include "state/modInitialize.h"
#include "topscores/topScoreStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

using namespace modInitialize;

namespace
{

struct Line {
    int16_t suit[5];
    int16_t rank[5];
};

// Lines as the game meets them: five different cards of one pack, some cells still empty.
std::vector<Line> makeLines(std::mt19937 &random, int count)
{
    std::vector<Line> lines(count);
    std::vector<int> pack(52);
    for (int card = 0; card < 52; ++card)
        pack[card] = card;
    for (Line &line : lines) {
        std::shuffle(pack.begin(), pack.end(), random);
        for (int k = 0; k < 5; ++k) {
            const bool empty = random() % 5 == 0;
            line.suit[k] = empty ? 0 : static_cast<int16_t>(pack[k] / 13 + 1);
            line.rank[k] = empty ? 0 : static_cast<int16_t>(pack[k] % 13 + 1);
        }
    }
    return lines;
}

void measureLineScoring(std::mt19937 &random)
{
    const std::vector<Line> lines = makeLines(random, 4096);
    const long calls = 2000000;
    long checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (long call = 0; call < calls; ++call) {
        const Line &line = lines[call % lines.size()];
        std::copy(line.suit, line.suit + 5, handSuit);
        std::copy(line.rank, line.rank + 5, handRank);
        // Cleared before each pair of lines, as a revision does.
        if (call % 2 == 0)
            frmMain->lblCombination->setText(QString());
        frmMain->calculateScore();
        checksum += handScore;
    }
    const double windowSeconds = timer.nsecsElapsed() / 1e9;

    timer.restart();
    for (long call = 0; call < calls; ++call) {
        const Line &line = lines[call % lines.size()];
        checksum += evaluateHand(line.suit, line.rank).points;
    }
    const double ruleSeconds = timer.nsecsElapsed() / 1e9;

    std::printf("calculateScore through the game window: %.2f million lines/s (%ld lines in %.3f s)\n",
                calls / windowSeconds / 1e6, calls, windowSeconds);
    std::printf("evaluateHand alone, for comparison:     %.2f million lines/s (checksum %ld)\n",
                calls / ruleSeconds / 1e6, checksum);
}

double percentile(const std::vector<qint64> &sorted, double fraction)
{
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(sorted.size()) + 0.999999) - 1;
    return sorted[std::min(index, sorted.size() - 1)] / 1e6;
}

void measurePlacements(std::mt19937 &random, int games)
{
    std::vector<qint64> times;
    times.reserve(static_cast<size_t>(games) * 24);
    long totals = 0;
    for (int game = 0; game < games; ++game) {
        testSupport::fixClock(random());
        frmMain->cmdNew->click();
        for (int move = 1; move <= 24; ++move) {
            const QList<int> cells = testSupport::availableCells();
            testSupport::hoverCell(cells[static_cast<int>(random() % cells.size())]);
            QApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            testSupport::clickWaitingCard();
            // The window's update, asked for now rather than at the window system's next frame: it
            // paints what the placement changed, and only that.
            QEvent update(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(frmMain->windowHandle(), &update);
            times.push_back(timer.nsecsElapsed());
        }
        if (packPosition != 25) {
            std::fprintf(stderr, "game %d did not end: pack position %d\n", game, packPosition);
            std::exit(1);
        }
        totals += totalScore;
    }
    std::sort(times.begin(), times.end());
    std::printf("one placement by a click, scored, and what changed painted (%d games, %zu placements):\n",
                games, times.size());
    std::printf("  median %.3f ms, 99th percentile %.3f ms, slowest %.3f ms; mean final total %.1f\n",
                percentile(times, 0.5), percentile(times, 0.99), times.back() / 1e6,
                static_cast<double>(totals) / games);
}

// A store file of many keys, as a registry export of a whole machine might be, loaded and saved by
// the store as the game does it.
void measureStoreFile()
{
    QByteArray file = "REGEDIT4\r\n";
    for (int key = 0; file.size() < 1500000; ++key)
        file +=
            QStringLiteral("\r\n[HKEY_LOCAL_MACHINE\\Software\\Maker%1\\Program]\r\n\"Name\"=\"value %1\"\r\n"
                           "\"Size\"=dword:%2\r\n")
                .arg(key)
                .arg(key, 8, 16, QLatin1Char('0'))
                .toLatin1();
    file += "\r\n[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n\"TopName0\"=\"Ann\"\r\n"
            "\"TopScore0\"=\"300\"\r\n";
    const QString path = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Brindlow/Tallyfive");
    QDir().mkpath(path);
    QFile output(path + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
    if (!output.open(QIODevice::WriteOnly) || output.write(file) != file.size())
        std::exit(1);
    output.close();
    QElapsedTimer timer;
    timer.start();
    loadTopScores();
    const double load = timer.nsecsElapsed() / 1e6;
    timer.restart();
    saveTopScores();
    const double save = timer.nsecsElapsed() / 1e6;
    std::printf("a store file of %.2f MB: loaded in %.1f ms, saved in %.1f ms (the table: %d %s)\n",
                file.size() / 1e6, load, save, topScore[0], topName[0].c_str());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testSupport::useTemporaryDataFolder();
    QApplication application(argc, argv);
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    testSupport::openGame();
    testSupport::setTopScores(testSupport::topScoresNoneBeats);
    std::mt19937 random(2026);
    measureLineScoring(random);
    measurePlacements(random, games);
    measureStoreFile();
    return 0;
}
