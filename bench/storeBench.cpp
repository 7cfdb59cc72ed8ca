// How fast the top-score store loads and saves, and how much memory it takes, for store files that a
// player's disk may hold: 16 MiB of blank lines, in either form of a registry export, and a value that
// goes on over 100 000 continuation lines. Each file is loaded and saved by a fresh process of its own,
// so that its peak memory is the store's alone; an idle process gives the program's own share.
//
//     tallyfive_store_bench
#include "state/modInitialize.h"
#include "topscores/topScoreStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace modInitialize;

namespace
{

const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n";
const size_t nearlyLargest = (16 << 20) - 4096; // the store reads no file above 16 MiB

std::string blankLines()
{
    std::string text = "REGEDIT4\r\n\r\n" + key + "\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"300\"\r\n";
    text.resize(nearlyLargest - (nearlyLargest - text.size()) % 2, '\r');
    for (size_t i = text.find_last_not_of('\r') + 2; i < text.size(); i += 2)
        text[i] = '\n';
    return text;
}

// The same lines in the Unicode form, two bytes a character.
std::string blankLinesUtf16()
{
    const std::string narrow = blankLines().substr(0, nearlyLargest / 2 - 2);
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("Windows Registry Editor Version 5.00") + narrow.substr(8))
        bytes += {c, '\0'};
    return bytes;
}

std::string continuationLines()
{
    std::string text = "REGEDIT4\r\n\r\n" + key + "\"TopName0\"=hex:41,\\\r\n";
    for (int line = 0; line < 100000; ++line)
        text += "  41,42,43,\\\r\n";
    return text + "  44\r\n\"TopScore0\"=\"300\"\r\n";
}

double megabytes(long kilobytes)
{
    return kilobytes / 1024.0;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// In the child: loads and saves the file as a game does, and prints what it took.
int measure()
{
    const auto start = std::chrono::steady_clock::now();
    loadTopScores();
    const auto loaded = std::chrono::steady_clock::now();
    const long loadPeak = peakKilobytes();
    topName[1] = "Bob";
    topScore[1] = 200;
    saveTopScores();
    const auto saved = std::chrono::steady_clock::now();
    using ms = std::chrono::duration<double, std::milli>;
    std::printf("%.1f %.1f %ld %ld %d\n", ms(loaded - start).count(), ms(saved - loaded).count(), loadPeak,
                peakKilobytes(), topScore[0]);
    return 0;
}

// Runs this program again as `what`, and returns the line it printed.
std::string runChild(const char *self, const char *what, const std::string &folder)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], 1);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        execl(self, self, what, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string line;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        line.append(buffer, size_t(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the child measuring %s failed\n", what);
        std::exit(1);
    }
    return line;
}

void measureFile(const char *self, const char *name, const std::string &bytes, long idle)
{
    char folder[] = "/tmp/tallyfive-store-bench-XXXXXX";
    if (!mkdtemp(folder))
        std::exit(1);
    const std::string store = std::string(folder) + "/Brindlow/Tallyfive";
    std::system(("mkdir -p " + store).c_str());
    std::ofstream(store + "/HKEY_LOCAL_MACHINE.reg", std::ios::binary) << bytes;
    double load = 0, save = 0;
    long loadPeak = 0, savePeak = 0;
    int score = 0;
    std::sscanf(runChild(self, "measure", folder).c_str(), "%lf %lf %ld %ld %d", &load, &save, &loadPeak,
                &savePeak, &score);
    std::system(("rm -rf " + std::string(folder)).c_str());
    const double size = bytes.size() / 1048576.0;
    std::printf("%s (%.2f MiB): load %.0f ms, peak %.1f MiB; save %.0f ms, peak %.1f MiB; "
                "peak less the program's own = %.2f x the file (score loaded: %d)\n",
                name, size, load, megabytes(loadPeak), save, megabytes(savePeak),
                megabytes(savePeak - idle) / size, score);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "measure") == 0)
        return measure();
    if (argc > 1 && std::strcmp(argv[1], "idle") == 0)
        return std::printf("0 0 %ld %ld 0\n", peakKilobytes(), peakKilobytes()) < 0;
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 1;
    long idle = 0;
    std::sscanf(runChild(self, "idle", "/nonexistent").c_str(), "%*f %*f %*d %ld", &idle);
    std::printf("the program's own peak: %.1f MiB\n", megabytes(idle));
    measureFile(self, "blank lines, REGEDIT4", blankLines(), idle);
    measureFile(self, "blank lines, Unicode", blankLinesUtf16(), idle);
    measureFile(self, "100 000 continuation lines", continuationLines(), idle);
    return 0;
}
