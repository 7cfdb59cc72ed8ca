// The top-score store and the registry beneath it. One source for both systems: built against the
// Linux stand-in, and built for Windows and run under Wine against Wine's registry. Without
// arguments it runs every case; with one it does one step of carrying a table between the two:
//   save-sample   saves the sample table
//   check-sample  loads the table and compares it with the sample
#include "badStoreFiles.h"
#include "game/modInitialize.h"
#include "platform/registry.h"
#include "topscores/topScoreStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <csignal>
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
using badStoreFiles::Entry;
using Values = std::vector<std::pair<std::string, std::string>>; // value names and their texts

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
static void expectEqual(const Actual &actual, const Expected &expected, const std::string &what, int line)
{
    if (!(actual == expected))
        fail(line, what + " is " + shown(actual) + ", expected " + shown(expected));
}

#define EXPECT_EQUAL(actual, expected) expectEqual((actual), (expected), #actual, __LINE__)

// The system's 8-bit text: Windows' ANSI code page under Wine, UTF-8 on Linux.
#ifdef _WIN32
static const std::string accentedName = "Zo\xEB \"Ace\" M\xFCller \x80";
#else
static const std::string accentedName = "Zo\xC3\xAB \"Ace\" M\xC3\xBCller \xE2\x82\xAC";
#endif

static const std::vector<Entry> sampleTable = {{accentedName, 900},
                                               {"C:\\Games\\", 750},
                                               {"   ", 750},
                                               {" Lee  Ray ", 300},
                                               {"Long" + std::string(250, '.'), 12}};

// The table's first entries; the others are all `rest`.
static void setTable(const std::vector<Entry> &entries, const Entry &rest = {"", 0})
{
    for (size_t n = 0; n < 5; ++n) {
        topName[n] = n < entries.size() ? entries[n].name : rest.name;
        topScore[n] = n < entries.size() ? entries[n].score : rest.score;
    }
}

static void expectTable(const std::vector<Entry> &entries, int line, const Entry &rest = {"", 0})
{
    for (size_t n = 0; n < 5; ++n) {
        const Entry &expected = n < entries.size() ? entries[n] : rest;
        expectEqual(topName[n], expected.name, "topName " + std::to_string(n), line);
        expectEqual(long(topScore[n]), long(expected.score), "topScore " + std::to_string(n), line);
    }
}

// The values that hold these entries, as a save writes them.
static Values valuesOf(const std::vector<Entry> &entries)
{
    Values values;
    for (size_t n = 0; n < entries.size(); ++n) {
        values.push_back({"TopName" + std::to_string(n), entries[n].name});
        values.push_back({"TopScore" + std::to_string(n), std::to_string(entries[n].score)});
    }
    return values;
}

static void storeValues(const Values &values)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key) != ERROR_SUCCESS)
        return fail(__LINE__, "the key cannot be created");
    for (const auto &[name, text] : values)
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                       DWORD(text.size() + 1));
    RegCloseKey(key);
}

// Queries one value as the store does, with room for 255 bytes; a key that cannot be opened gives
// the open's result. The text is without its zero.
struct Query {
    LONG result;
    DWORD size;
    DWORD type;
    std::string text;
};

static Query queryValue(const std::string &name, const char *path = keyPath)
{
    Query query{ERROR_INVALID_HANDLE, 255, 0, std::string()};
    HKEY key;
    if ((query.result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key)) != ERROR_SUCCESS)
        return query;
    char buffer[255] = {};
    query.result = RegQueryValueExA(key, name.c_str(), nullptr, &query.type, reinterpret_cast<LPBYTE>(buffer),
                                    &query.size);
    if (query.result == ERROR_SUCCESS && query.size > 0)
        query.text.assign(buffer, query.size - 1);
    RegCloseKey(key);
    return query;
}

// The text of each value listed, and none of the table's other values.
static void expectValues(const Values &values, int line)
{
    for (const auto &[name, text] : values)
        expectEqual(queryValue(name).text, text, name, line);
    for (int n = 0; n < 10; ++n) {
        const std::string name = (n < 5 ? "TopName" : "TopScore") + std::to_string(n % 5);
        if (std::none_of(values.begin(), values.end(),
                         [&name](const auto &value) { return value.first == name; }))
            expectEqual(long(queryValue(name).result), long(ERROR_FILE_NOT_FOUND), "querying " + name, line);
    }
}

#ifdef _WIN32

static void clearStore()
{
    for (const char *path : {keyPath, "Software\\Brindlow\\Tallyfive", "Software\\Brindlow"})
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

#else

static std::string dataFolders;

// Each case gets a data folder of its own, open to the user a root run changes to.
static void clearStore()
{
    static int number;
    const std::string folder = dataFolders + "/" + std::to_string(++number);
    mkdir(folder.c_str(), 0755);
    chmod(folder.c_str(), 0755);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
}

#endif

// What loads from what is stored. A field whose value is absent or does not fit keeps what it held,
// and a score's text that is no whole number within 16 bits, which only a hand-edited registry
// holds, loads as 0. Nothing is reordered, and finding no key writes nothing.
static void loadsWhatIsStored()
{
    const Entry kept{"kept", 99};
    const std::string fits(254, 'n'), tooLong(255, 'n');
    const std::vector<Entry> unordered = {{"Ann", 50}, {"Bob", 300}, {"Cy", 10}, {"Di", 300}, {"Ed", 75}};
    struct Row {
        std::string what;
        Values stored;
        std::vector<Entry> loads;
    };
    std::vector<Row> rows = {
        {"no key", {}, {}},
        {"a 254-byte name", {{"TopName2", fits}, {"TopScore2", "40"}}, {kept, kept, {fits, 40}}},
        {"a 255-byte name", {{"TopName2", tooLong}, {"TopScore2", "40"}}, {kept, kept, {"kept", 40}}},
        {"a name without its score",
         {{"TopName0", "Ann"}, {"TopScore0", "80"}, {"TopName1", "Solo"}},
         {{"Ann", 80}, {"Solo", kept.score}}},
        {"scores out of order", valuesOf(unordered), unordered},
        {"a score of 20 digits", {{"TopName0", "Ann"}, {"TopScore0", std::string(20, '9')}}, {{"Ann", 0}}},
    };
    const std::pair<const char *, int16_t> scoreTexts[] = {
        {"007", 7}, {"+5", 5},  {"-12", -12}, {"32767", 32767}, {"-32768", -32768}, {"0", 0},
        {"", 0},    {"-", 0},   {"abc", 0},   {"12a", 0},       {" 5", 0},          {"5 ", 0},
        {"4.5", 0}, {"1e3", 0}, {"&H10", 0},  {"32768", 0},     {"-32769", 0},      {"40000", 0}};
    for (const auto &[text, score] : scoreTexts)
        rows.push_back(
            {"the score " + shown(text), {{"TopName0", "Ann"}, {"TopScore0", text}}, {{"Ann", score}}});
    for (const Row &row : rows) {
        currentCase = "loadsWhatIsStored: " + row.what;
        clearStore();
        if (!row.stored.empty())
            storeValues(row.stored);
        setTable({}, kept);
        loadTopScores();
        expectTable(row.loads, __LINE__, kept);
        if (row.stored.empty())
            expectEqual(long(queryValue("", "Software\\Brindlow").result), long(ERROR_FILE_NOT_FOUND),
                        "opening Software\\Brindlow", __LINE__);
    }
}

// The first accepted entry writes exactly its two values. A save skips the entries without a score,
// which keep their values, and leaves any other value as it was.
static void savesTheEntriesWithAScore()
{
    setTable({{"Ann", 120}});
    saveTopScores();
    expectValues({{"TopName0", "Ann"}, {"TopScore0", "120"}}, __LINE__);
    EXPECT_EQUAL(long(queryValue("TopScore0").type), long(REG_SZ));

    clearStore();
    storeValues(valuesOf({{"Was", 1}, {"Was", 1}, {"Was", 1}, {"Old", 70}, {"Older", 60}}));
    storeValues({{"Colour", "green"}});
    setTable({{"Ann", 900}, {"Bob", 800}, {"Cy", 700}, {"New", 0}, {"", -5}});
    saveTopScores();
    expectValues(valuesOf({{"Ann", 900}, {"Bob", 800}, {"Cy", 700}, {"Old", 70}, {"Older", 60}}), __LINE__);
    EXPECT_EQUAL(queryValue("Colour").text, std::string("green"));
}

// Names come back byte for byte: spaces, quotes, backslashes, text beyond ASCII, 254 bytes.
static void namesRoundTrip()
{
    for (const std::vector<Entry> &table :
         {sampleTable, std::vector<Entry>{{"\\", 3}, {"\"", 2}, {"\\\"", 1}}}) {
        clearStore();
        setTable(table);
        saveTopScores();
        expectValues(valuesOf(table), __LINE__);
        setTable({});
        loadTopScores();
        expectTable(table, __LINE__);
    }
}

// The registry's own answers, which the stand-in gives alike: 2 for an absent key or value, and 234
// with the size needed for a value that does not fit.
static void resultCodesAreTheRegistrys()
{
    storeValues({{"TopName0", std::string(254, 'a')}, {"TopName1", std::string(255, 'b')}});
    const Query fits = queryValue("TopName0"), tooLong = queryValue("TopName1");
    EXPECT_EQUAL(long(fits.result), long(ERROR_SUCCESS));
    EXPECT_EQUAL(long(fits.size), 255L);
    EXPECT_EQUAL(long(tooLong.result), long(ERROR_MORE_DATA));
    EXPECT_EQUAL(long(tooLong.size), 256L);
    EXPECT_EQUAL(long(queryValue("TopScore0").result), long(ERROR_FILE_NOT_FOUND));
    EXPECT_EQUAL(long(queryValue("", "Software\\Brindlow\\Tallyfive\\1.3").result),
                 long(ERROR_FILE_NOT_FOUND));
}

#ifndef _WIN32

static std::string fileBytes()
{
    return badStoreFiles::snapshot(badStoreFiles::registryFilePath());
}

// A save leaves the file as regedit would export it: REGEDIT4 in Windows-1252 with the values in
// name order and every other key, value and comment kept, or the Unicode form where Windows-1252
// cannot hold the text. A file's key is found whatever the case of its name.
static void fileIsWhatRegeditExports()
{
    const std::string section = "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n";
    const std::u16string unicodeSection = u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                                          u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brindlow\\Tallyfive\\1.2]\r\n";
    const std::string li = "Li \xE6\x9D\x8E";
    struct Row {
        const char *what;
        std::string before;
        std::vector<Entry> table;
        std::string after;
        std::vector<Entry> loads;
    };
    const Row rows[] = {
        {"REGEDIT4 with other keys",
         "REGEDIT4\r\n\r\n; kept "
         "comment\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"Count\"=dword:0000002a\r\n"
         "\"Blob\"=hex:01,02,ff\r\n\"Path\"=hex(2):25,50,41,\\\r\n  54,48,25,00\r\n\r\n" +
             section +
             "@=\"default\"\r\n\"TopName0\"=\"Old\"\r\n\"TopScore0\"=\"10\"\r\n\"Colour\"=\"green\"\r\n",
         sampleTable,
         "REGEDIT4\r\n; kept comment\r\n\r\n" + section +
             "@=\"default\"\r\n\"Colour\"=\"green\"\r\n\"TopName0\"=\"Zo\xEB \\\"Ace\\\" M\xFCller \x80\"\r\n"
             "\"TopName1\"=\"C:\\\\Games\\\\\"\r\n\"TopName2\"=\"   \"\r\n\"TopName3\"=\" Lee  Ray \"\r\n"
             "\"TopName4\"=\"Long" +
             std::string(250, '.') +
             "\"\r\n\"TopScore0\"=\"900\"\r\n\"TopScore1\"=\"750\"\r\n\"TopScore2\"=\"750\"\r\n"
             "\"TopScore3\"=\"300\"\r\n\"TopScore4\"=\"12\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
             "\"Blob\"=hex:01,02,ff\r\n\"Count\"=dword:0000002a\r\n\"Path\"=hex(2):25,50,41,54,48,25,"
             "00\r\n\r\n",
         sampleTable},
        {"a Unicode export",
         badStoreFiles::utf16(unicodeSection +
                              u"\"TopName0\"=\"Li \u674E\"\r\n\"TopScore0\"=\"640\"\r\n\r\n"),
         {{"", 0}, {"Bob", 100}},
         badStoreFiles::utf16(unicodeSection + u"\"TopName0\"=\"Li \u674E\"\r\n\"TopName1\"=\"Bob\"\r\n"
                                               u"\"TopScore0\"=\"640\"\r\n\"TopScore1\"=\"100\"\r\n\r\n"),
         {{li, 640}, {"Bob", 100}}},
    };
    for (const Row &row : rows) {
        currentCase = std::string("fileIsWhatRegeditExports: ") + row.what;
        clearStore();
        badStoreFiles::writeFile(badStoreFiles::registryFilePath(), row.before);
        setTable(row.table);
        saveTopScores();
        EXPECT_EQUAL(fileBytes(), row.after);
        setTable({});
        loadTopScores();
        expectTable(row.loads, __LINE__);
    }
}

// In a child process, on a full disk or for a root run without root's rights as the file asks:
// loads, adds an entry and saves. The table holds what could be read, a file that was rewritten
// gives the new entry back, and the two loads and the save each say what went wrong in one line.
// Their stderr is a pipe, which no file-size limit touches; its lines are shown on stdout.
static void loadAndSaveInChild(const badStoreFiles::BadFile &file)
{
    int ends[2];
    if (pipe(ends) != 0)
        return fail(__LINE__, "there is no pipe for stderr");
    std::fflush(stdout);
    if (const pid_t child = fork()) {
        close(ends[1]);
        long lines = 0;
        char buffer[4096];
        for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) {
            std::fwrite(buffer, 1, size_t(got), stdout);
            lines += long(std::count(buffer, buffer + got, '\n'));
        }
        close(ends[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail(__LINE__, "the child process failed with status " + std::to_string(status));
        expectEqual(lines, 2L * file.linesOnLoad + 1, "lines on stderr", __LINE__);
        return;
    }
    dup2(ends[1], 2);
    close(ends[0]);
    close(ends[1]);
    failures = 0;
    if (file.place == badStoreFiles::Place::fullDisk) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(file.bytes.size()), rlim_t(file.bytes.size())};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (badStoreFiles::needsOtherUser(file) && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
        std::printf("FAIL %s: cannot give up root\n", currentCase.c_str());
        _exit(1);
    }
    std::vector<Entry> table = file.loads;
    table.resize(3, Entry{"", 0});
    loadTopScores();
    expectTable(table, __LINE__);
    table[2] = {"Cy", 150};
    setTable(table);
    saveTopScores();
    setTable({});
    loadTopScores();
    if (file.rewritable)
        expectTable(table, __LINE__);
    std::fflush(stdout);
    _exit(failures > 0 ? 1 : 0);
}

// A file that cannot be read, understood or written whole is never written over; one that is
// rewritten keeps every line it held, those not understood included.
static void badFilesLoseNothing()
{
    for (const badStoreFiles::BadFile &file : badStoreFiles::badFiles()) {
        currentCase = std::string("badFilesLoseNothing: ") + file.name;
        clearStore();
        const std::string path = badStoreFiles::registryFilePath();
        const std::string folder = path.substr(0, path.rfind('/'));
        badStoreFiles::lay(file, path);
        const std::string before = badStoreFiles::snapshot(folder);
        setTable({});
        loadAndSaveInChild(file);
        if (!file.rewritable) {
            EXPECT_EQUAL(badStoreFiles::snapshot(folder), before);
            continue;
        }
        const std::vector<std::string> after = badStoreFiles::textLines(fileBytes());
        for (const std::string &line : badStoreFiles::textLines(file.bytes)) {
            if (std::find(after.begin(), after.end(), line) == after.end())
                fail(__LINE__, "the line " + shown(line) + " is lost");
        }
    }
}

#endif

static int runCases()
{
#ifndef _WIN32
    char folder[] = "/tmp/tallyfive-store-XXXXXX";
    if (!mkdtemp(folder))
        return 2;
    chmod(folder, 0755);
    dataFolders = folder;
#endif
    const std::pair<const char *, void (*)()> cases[] = {
        {"loadsWhatIsStored", loadsWhatIsStored},
        {"savesTheEntriesWithAScore", savesTheEntriesWithAScore},
        {"namesRoundTrip", namesRoundTrip},
        {"resultCodesAreTheRegistrys", resultCodesAreTheRegistrys},
#ifndef _WIN32
        {"fileIsWhatRegeditExports", fileIsWhatRegeditExports},
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
    std::printf("%d failure(s)\n", failures);
#ifdef _WIN32
    clearStore();
#else
    std::system(("chmod -R u+rwX " + dataFolders + " && rm -rf " + dataFolders).c_str());
#endif
    return failures == 0 ? 0 : 1;
}

int main(int argc, char *argv[])
{
    const std::string step = argc > 1 ? argv[1] : "";
    if (step.empty())
        return runCases();
#ifndef _WIN32
    // Never the player's own table: a step works in the caller's data folder.
    if (!std::getenv("XDG_DATA_HOME")) {
        std::printf("XDG_DATA_HOME must name a data folder for %s\n", step.c_str());
        return 2;
    }
#endif
    currentCase = step;
    if (step == "save-sample") {
        setTable(sampleTable);
        saveTopScores();
    } else if (step == "check-sample") {
        loadTopScores();
        expectTable(sampleTable, __LINE__);
    } else {
        fail(__LINE__, "there is no such step");
    }
    return failures == 0 ? 0 : 1;
}
