// The top-score store and the registry beneath it. One source for both systems: built against the
// Linux stand-in, and built for Windows and run under Wine against Wine's registry. Without
// arguments it runs every case; with one it does one step of carrying a table between the two:
//   save-sample   saves the sample table
//   check-sample  loads the table and compares it with the sample
#include "game/modInitialize.h"
#include "platform/registry.h"
#include "topscores/topScoreStore.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#ifndef _WIN32
#include "badStoreFiles.h"

#include <csignal>
#include <cstdlib>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// The store's share of the start-up module; nothing else of the game is in this program.
namespace modInitialize
{
std::string topName[5];
int16_t topScore[5];
} // namespace modInitialize

using namespace modInitialize;

static const char keyPath[] = "Software\\Brindlow\\Tallyfive\\1.2";

static int failures;
static std::string currentCase;

static std::string shown(const std::string &text)
{
    return '"' + (text.size() > 60 ? text.substr(0, 60) + "..." : text) + '"';
}

static std::string shown(long number)
{
    return std::to_string(number);
}

static void fail(int line, const std::string &what)
{
    ++failures;
    std::printf("FAIL %s (line %d): %s\n", currentCase.c_str(), line, what.c_str());
}

template <typename Actual, typename Expected>
static void expectEqual(const Actual &actual, const Expected &expected, const char *what, int line)
{
    if (!(actual == expected))
        fail(line, std::string(what) + " is " + shown(actual) + ", expected " + shown(expected));
}

#define EXPECT(condition)                                                                                    \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fail(__LINE__, #condition);                                                                      \
    } while (false)
#define EXPECT_EQUAL(actual, expected) expectEqual((actual), (expected), #actual, __LINE__)

// The system's 8-bit text: Windows' ANSI code page under Wine, UTF-8 on Linux.
#ifdef _WIN32
static const std::string accentedName = "Zo\xEB \"Ace\" M\xFCller \x80";
#else
static const std::string accentedName = "Zo\xC3\xAB \"Ace\" M\xC3\xBCller \xE2\x82\xAC";
#endif

struct Entry {
    std::string name;
    int16_t score;
};

static const std::vector<Entry> sampleTable = {{accentedName, 900},
                                               {"C:\\Games\\", 750},
                                               {"   ", 750},
                                               {" Lee  Ray ", 300},
                                               {"Long" + std::string(250, '.'), 12}};

static void setTable(const std::vector<Entry> &entries)
{
    for (int n = 0; n < 5; ++n) {
        topName[n] = n < int(entries.size()) ? entries[n].name : std::string();
        topScore[n] = n < int(entries.size()) ? entries[n].score : 0;
    }
}

static void expectTable(const std::vector<Entry> &entries, int line)
{
    for (int n = 0; n < 5; ++n) {
        const Entry expected = n < int(entries.size()) ? entries[n] : Entry{std::string(), 0};
        expectEqual(topName[n], expected.name, ("topName " + std::to_string(n)).c_str(), line);
        expectEqual(long(topScore[n]), long(expected.score), ("topScore " + std::to_string(n)).c_str(), line);
    }
}

static void storeValue(const std::string &name, const std::string &text)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key) != ERROR_SUCCESS) {
        fail(__LINE__, "the key cannot be created");
        return;
    }
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                   DWORD(text.size() + 1));
    RegCloseKey(key);
}

// Queries one value as the store does, with room for that many bytes; the text without its zero.
struct Query {
    LONG result;
    DWORD size;
    DWORD type;
    std::string text;
};

static Query queryValue(const std::string &name, DWORD room = 255)
{
    Query query{ERROR_INVALID_HANDLE, room, 0, std::string()};
    HKEY key;
    if ((query.result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key)) != ERROR_SUCCESS)
        return query;
    std::vector<char> buffer(room + 1, '\0');
    query.result = RegQueryValueExA(key, name.c_str(), nullptr, &query.type,
                                    reinterpret_cast<LPBYTE>(buffer.data()), &query.size);
    if (query.result == ERROR_SUCCESS && query.size > 0)
        query.text.assign(buffer.data(), query.size - 1);
    RegCloseKey(key);
    return query;
}

static LONG openResult(const char *path)
{
    HKEY key;
    const LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result;
}

#ifdef _WIN32

static void clearStore()
{
    for (const char *path :
         {"Software\\Brindlow\\Tallyfive\\1.2", "Software\\Brindlow\\Tallyfive", "Software\\Brindlow"})
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

static long storedValueCount()
{
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    return long(values);
}

#else

static std::string dataFolders;

// Each case gets a data folder of its own.
static void clearStore()
{
    static int number;
    const std::string folder = dataFolders + "/" + std::to_string(++number);
    mkdir(folder.c_str(), 0755);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
}

static long storedValueCount()
{
    long values = 0;
    for (const std::string &line :
         badStoreFiles::textLines(badStoreFiles::snapshot(badStoreFiles::registryFilePath())))
        values += line[0] == '"' || line[0] == '@';
    return values;
}

#endif

static void firstRunFindsNoKeyAndWritesNothing()
{
    setTable({{"unchanged", 7}});
    loadTopScores();
    expectTable({{"unchanged", 7}}, __LINE__);
    EXPECT_EQUAL(long(openResult(keyPath)), long(ERROR_FILE_NOT_FOUND));
    EXPECT_EQUAL(long(openResult("Software\\Brindlow")), long(ERROR_FILE_NOT_FOUND));
}

static void firstEntryWritesExactlyItsTwoValues()
{
    setTable({{"Ann", 120}});
    saveTopScores();
    EXPECT_EQUAL(queryValue("TopName0").text, std::string("Ann"));
    EXPECT_EQUAL(queryValue("TopScore0").text, std::string("120"));
    EXPECT_EQUAL(long(queryValue("TopScore0").type), long(REG_SZ));
    EXPECT_EQUAL(storedValueCount(), 2L);
    EXPECT_EQUAL(long(openResult("Software\\Brindlow")), long(ERROR_SUCCESS));
    setTable({});
    loadTopScores();
    expectTable({{"Ann", 120}}, __LINE__);
}

// A value's text and terminator must fit the store's 255 bytes, else that field keeps what it held.
static void namesUpTo254BytesLoad()
{
    for (size_t length : {1, 253, 254, 255, 256, 400}) {
        currentCase = "namesUpTo254BytesLoad " + std::to_string(length);
        clearStore();
        const std::string name(length, 'n');
        storeValue("TopName2", name);
        storeValue("TopScore2", "40");
        setTable({{"first", 1}, {"second", 2}, {"kept", 3}});
        loadTopScores();
        EXPECT_EQUAL(topName[2], length <= 254 ? name : std::string("kept"));
        EXPECT_EQUAL(long(topScore[2]), 40L);
    }
}

static void resultCodesAreTheRegistrys()
{
    EXPECT_EQUAL(long(openResult(keyPath)), long(ERROR_FILE_NOT_FOUND));
    storeValue("TopName0", std::string(254, 'a'));
    storeValue("TopName1", std::string(255, 'b'));
    const Query fits = queryValue("TopName0");
    EXPECT_EQUAL(long(fits.result), long(ERROR_SUCCESS));
    EXPECT_EQUAL(long(fits.size), 255L);
    const Query tooLong = queryValue("TopName1");
    EXPECT_EQUAL(long(tooLong.result), long(ERROR_MORE_DATA));
    EXPECT_EQUAL(long(tooLong.size), 256L);
    EXPECT_EQUAL(long(queryValue("TopName1", 256).result), long(ERROR_SUCCESS));
    EXPECT_EQUAL(long(queryValue("TopScore0").result), long(ERROR_FILE_NOT_FOUND));
    EXPECT_EQUAL(long(openResult("Software\\Brindlow\\Tallyfive\\1.3")), long(ERROR_FILE_NOT_FOUND));
}

static void nameWithoutScoreLoadsAsEmptyEntry()
{
    storeValue("TopName0", "Ann");
    storeValue("TopScore0", "80");
    storeValue("TopName1", "Solo");
    loadTopScores();
    expectTable({{"Ann", 80}, {"Solo", 0}}, __LINE__);
    saveTopScores();
    EXPECT_EQUAL(long(queryValue("TopScore1").result), long(ERROR_FILE_NOT_FOUND));
    EXPECT_EQUAL(queryValue("TopName1").text, std::string("Solo"));
}

static void scoresLoadInTheOrderStored()
{
    const std::vector<Entry> stored = {{"Ann", 50}, {"Bob", 300}, {"Cy", 10}, {"Di", 300}, {"Ed", 75}};
    for (int n = 0; n < 5; ++n) {
        storeValue("TopName" + std::to_string(n), stored[n].name);
        storeValue("TopScore" + std::to_string(n), std::to_string(stored[n].score));
    }
    loadTopScores();
    expectTable(stored, __LINE__);
}

static void scoreTextsOutsideSixteenBitsLoadAsZero()
{
    const std::vector<std::pair<std::string, int16_t>> texts = {{"", 0},
                                                                {"abc", 0},
                                                                {"12a", 0},
                                                                {"-", 0},
                                                                {" 5", 0},
                                                                {"5 ", 0},
                                                                {"4.5", 0},
                                                                {"40000", 0},
                                                                {"32768", 0},
                                                                {"-32769", 0},
                                                                {"1e3", 0},
                                                                {"&H10", 0},
                                                                {"007", 7},
                                                                {"+5", 5},
                                                                {"-12", -12},
                                                                {"32767", 32767},
                                                                {"-32768", -32768},
                                                                {"0", 0},
                                                                {"99999999999999999999", 0}};
    for (const auto &[text, score] : texts) {
        currentCase = "scoreTextsOutsideSixteenBitsLoadAsZero " + shown(text);
        clearStore();
        storeValue("TopName0", "Ann");
        storeValue("TopScore0", text);
        setTable({{"", 99}});
        loadTopScores();
        expectTable({{"Ann", score}}, __LINE__);
    }
}

static void namesRoundTripByteForByte()
{
    const std::vector<Entry> names = {
        {"   ", 500}, {" Lee  Ray ", 400}, {"say \"hi\"", 300}, {"C:\\Games\\", 200}, {accentedName, 100}};
    setTable(names);
    saveTopScores();
    for (int n = 0; n < 5; ++n)
        EXPECT_EQUAL(queryValue("TopName" + std::to_string(n)).text, names[n].name);
    setTable({});
    loadTopScores();
    expectTable(names, __LINE__);
    setTable({{"\\", 3}, {"\"", 2}, {"\\\"", 1}});
    saveTopScores();
    setTable({});
    loadTopScores();
    expectTable({{"\\", 3}, {"\"", 2}, {"\\\"", 1}, {"C:\\Games\\", 200}, {accentedName, 100}}, __LINE__);
}

static void saveKeepsWhatItSkips()
{
    storeValue("TopName3", "Old");
    storeValue("TopScore3", "70");
    storeValue("TopName4", "Older");
    storeValue("TopScore4", "60");
    storeValue("Colour", "green");
    setTable({{"Ann", 900}, {"Bob", 800}, {"Cy", 700}, {"New", 0}, {"", -5}});
    saveTopScores();
    EXPECT_EQUAL(queryValue("TopName3").text, std::string("Old"));
    EXPECT_EQUAL(queryValue("TopScore3").text, std::string("70"));
    EXPECT_EQUAL(queryValue("TopName4").text, std::string("Older"));
    EXPECT_EQUAL(queryValue("TopScore4").text, std::string("60"));
    EXPECT_EQUAL(queryValue("Colour").text, std::string("green"));
    EXPECT_EQUAL(queryValue("TopScore2").text, std::string("700"));
    EXPECT_EQUAL(storedValueCount(), 11L);
}

#ifndef _WIN32

static std::string fileBytes()
{
    return badStoreFiles::snapshot(badStoreFiles::registryFilePath());
}

static std::string utf16(const std::u16string &text)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes += std::string{char(unit & 0xFF), char(unit >> 8)};
    return bytes;
}

// What regedit exports for the same values: REGEDIT4 in Windows-1252, values in name order.
static void fileIsWhatRegeditExports()
{
    setTable(sampleTable);
    saveTopScores();
    EXPECT_EQUAL(fileBytes(), "REGEDIT4\r\n"
                              "\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n"
                              "\"TopName0\"=\"Zo\xEB \\\"Ace\\\" M\xFCller \x80\"\r\n"
                              "\"TopName1\"=\"C:\\\\Games\\\\\"\r\n"
                              "\"TopName2\"=\"   \"\r\n"
                              "\"TopName3\"=\" Lee  Ray \"\r\n"
                              "\"TopName4\"=\"Long" +
                                  std::string(250, '.') +
                                  "\"\r\n"
                                  "\"TopScore0\"=\"900\"\r\n"
                                  "\"TopScore1\"=\"750\"\r\n"
                                  "\"TopScore2\"=\"750\"\r\n"
                                  "\"TopScore3\"=\"300\"\r\n"
                                  "\"TopScore4\"=\"12\"\r\n"
                                  "\r\n");
}

static void readsUnicodeExportsAndWritesRegedit4()
{
    badStoreFiles::writeFile(badStoreFiles::registryFilePath(),
                             utf16(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                                   u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brindlow\\Tallyfive\\1.2]\r\n"
                                   u"\"TopName0\"=\"Zo\u00EB \\\"Ace\\\" M\u00FCller \u20AC\"\r\n"
                                   u"\"TopScore0\"=\"120\"\r\n\r\n"));
    loadTopScores();
    expectTable({{accentedName, 120}}, __LINE__);
    topScore[0] = 130;
    saveTopScores();
    EXPECT_EQUAL(fileBytes(), std::string("REGEDIT4\r\n"
                                          "\r\n"
                                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brindlow\\Tallyfive\\1.2]\r\n"
                                          "\"TopName0\"=\"Zo\xEB \\\"Ace\\\" M\xFCller \x80\"\r\n"
                                          "\"TopScore0\"=\"130\"\r\n"
                                          "\r\n"));
}

// Text that Windows-1252 cannot hold goes into the Unicode form rather than be lost.
static void namesBeyondWindows1252KeepTheUnicodeForm()
{
    const std::string name =
        "\xD0\x94\xD0\xBC\xD0\xB8\xD1\x82\xD1\x80\xD0\xB8\xD0\xB9 \xE6\x9D\x8E"; // Дмитрий 李
    setTable({{name, 640}});
    saveTopScores();
    EXPECT_EQUAL(fileBytes().substr(0, 16), utf16(u"\uFEFFWindows"));
    setTable({});
    loadTopScores();
    expectTable({{name, 640}}, __LINE__);
}

static void saveKeepsEverythingElseInTheFile()
{
    badStoreFiles::writeFile(badStoreFiles::registryFilePath(),
                             "REGEDIT4\r\n"
                             "\r\n"
                             "; kept comment\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                             "\"Count\"=dword:0000002a\r\n"
                             "\"Blob\"=hex:01,02,ff\r\n"
                             "\"Path\"=hex(2):25,50,41,\\\r\n"
                             "  54,48,25,00\r\n"
                             "\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n"
                             "@=\"default\"\r\n"
                             "\"TopName0\"=\"Old\"\r\n"
                             "\"TopScore0\"=\"10\"\r\n"
                             "\"Colour\"=\"green\"\r\n");
    setTable({{"New", 500}});
    saveTopScores();
    EXPECT_EQUAL(fileBytes(), std::string("REGEDIT4\r\n"
                                          "; kept comment\r\n"
                                          "\r\n"
                                          "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n"
                                          "@=\"default\"\r\n"
                                          "\"Colour\"=\"green\"\r\n"
                                          "\"TopName0\"=\"New\"\r\n"
                                          "\"TopScore0\"=\"500\"\r\n"
                                          "\r\n"
                                          "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                                          "\"Blob\"=hex:01,02,ff\r\n"
                                          "\"Count\"=dword:0000002a\r\n"
                                          "\"Path\"=hex(2):25,50,41,54,48,25,00\r\n"
                                          "\r\n"));
}

// Runs an action with stderr going into a pipe, which no file-size limit touches, and counts the
// lines it wrote there; they are shown on stdout.
static int stderrLines(const std::function<void()> &action)
{
    int ends[2];
    if (pipe(ends) != 0)
        return -1;
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(ends[1], 2);
    close(ends[1]);
    action();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    int lines = 0;
    char buffer[4096];
    for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) {
        std::fwrite(buffer, 1, size_t(got), stdout);
        lines += int(std::count(buffer, buffer + got, '\n'));
    }
    close(ends[0]);
    return lines;
}

// Runs a case in a child process with the file-size limit and, for root, without root's rights.
static void runInChild(const badStoreFiles::BadFile &file, const std::function<void()> &body)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        failures = 0;
        if (file.fileSizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(file.fileSizeLimit), rlim_t(file.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (file.asOtherUser && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            fail(__LINE__, "cannot give up root");
        else
            body();
        std::fflush(stdout);
        _exit(failures > 0 ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(__LINE__, "the child process failed with status " + std::to_string(status));
}

static void badFilesLoseNothing()
{
    for (const badStoreFiles::BadFile &file : badStoreFiles::badFiles()) {
        currentCase = std::string("badFilesLoseNothing ") + file.name;
        clearStore();
        chmod(std::getenv("XDG_DATA_HOME"), 0755);
        const std::string path = badStoreFiles::registryFilePath();
        const std::string folder = path.substr(0, path.rfind('/'));
        file.make(path);
        const std::string before = badStoreFiles::snapshot(folder);
        const std::string fileBefore = badStoreFiles::snapshot(path);
        runInChild(file, [&file] {
            setTable({});
            EXPECT_EQUAL(stderrLines(loadTopScores), file.linesOnLoad);
            std::vector<Entry> loaded;
            for (const badStoreFiles::Entry &entry : file.loads)
                loaded.push_back({entry.name, entry.score});
            loaded.resize(3, Entry{std::string(), 0});
            expectTable(loaded, __LINE__);
            topName[2] = "Cy";
            topScore[2] = 150;
            loaded[2] = {"Cy", 150};
            EXPECT_EQUAL(stderrLines(saveTopScores), 1);
            setTable({});
            stderrLines(loadTopScores);
            if (file.rewritable)
                expectTable(loaded, __LINE__);
        });
        if (!file.rewritable) {
            EXPECT(badStoreFiles::snapshot(folder) == before);
            continue;
        }
        // Rewritten with every line it held, those not understood included.
        const std::vector<std::string> afterLines = badStoreFiles::textLines(badStoreFiles::snapshot(path));
        for (const std::string &line : badStoreFiles::textLines(fileBefore)) {
            if (std::find(afterLines.begin(), afterLines.end(), line) == afterLines.end())
                fail(__LINE__, "the line " + shown(line) + " is lost");
        }
    }
}

#endif

static bool checkSample()
{
    setTable({});
    loadTopScores();
    currentCase = "check-sample";
    expectTable(sampleTable, __LINE__);
    return failures == 0;
}

static int runCases()
{
    const std::vector<std::pair<const char *, void (*)()>> cases = {
        {"firstRunFindsNoKeyAndWritesNothing", firstRunFindsNoKeyAndWritesNothing},
        {"firstEntryWritesExactlyItsTwoValues", firstEntryWritesExactlyItsTwoValues},
        {"namesUpTo254BytesLoad", namesUpTo254BytesLoad},
        {"resultCodesAreTheRegistrys", resultCodesAreTheRegistrys},
        {"nameWithoutScoreLoadsAsEmptyEntry", nameWithoutScoreLoadsAsEmptyEntry},
        {"scoresLoadInTheOrderStored", scoresLoadInTheOrderStored},
        {"scoreTextsOutsideSixteenBitsLoadAsZero", scoreTextsOutsideSixteenBitsLoadAsZero},
        {"namesRoundTripByteForByte", namesRoundTripByteForByte},
        {"saveKeepsWhatItSkips", saveKeepsWhatItSkips},
#ifndef _WIN32
        {"fileIsWhatRegeditExports", fileIsWhatRegeditExports},
        {"readsUnicodeExportsAndWritesRegedit4", readsUnicodeExportsAndWritesRegedit4},
        {"namesBeyondWindows1252KeepTheUnicodeForm", namesBeyondWindows1252KeepTheUnicodeForm},
        {"saveKeepsEverythingElseInTheFile", saveKeepsEverythingElseInTheFile},
        {"badFilesLoseNothing", badFilesLoseNothing},
#endif
    };
    for (const auto &[name, run] : cases) {
        const int failuresBefore = failures;
        currentCase = name;
        clearStore();
        setTable({});
        run();
        std::printf("%s %s\n", failures == failuresBefore ? "PASS" : "FAIL", name);
    }
    clearStore();
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}

int main(int argc, char *argv[])
{
    const std::string step = argc > 1 ? argv[1] : "";
#ifndef _WIN32
    // Never the player's own table: every step works in a data folder of the caller's or its own.
    if (!step.empty() && !std::getenv("XDG_DATA_HOME")) {
        std::printf("XDG_DATA_HOME must name a data folder for %s\n", step.c_str());
        return 2;
    }
    if (step.empty()) {
        char folder[] = "/tmp/tallyfive-store-XXXXXX";
        if (!mkdtemp(folder))
            return 2;
        chmod(folder, 0755);
        dataFolders = folder;
        const int result = runCases();
        std::system(("chmod -R u+rwX " + dataFolders + " && rm -rf " + dataFolders).c_str());
        return result;
    }
#endif
    if (step.empty())
        return runCases();
    if (step == "save-sample") {
        setTable(sampleTable);
        saveTopScores();
        return 0;
    }
    if (step == "check-sample")
        return checkSample() ? 0 : 1;
    std::printf("unknown step %s\n", step.c_str());
    return 2;
}
