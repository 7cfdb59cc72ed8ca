// The top-score store's steps that run alike on Linux, against the registry stand-in, and as a
// Windows program under Wine, against the real registry; runUnderWine.sh carries a table between the
// two through regedit. Each step is named by the one argument:
//   save-sample   saves the sample table
//   check-sample  loads the table and checks that it is the sample
//   check-limits  stores names of 254 and 255 bytes and checks the answers and what loads
//   save-cyrillic saves a name in Cyrillic, as UTF-8, and checks that it loads again; on Windows it
//                 first says the program's code page, which its manifest declares to be UTF-8 (65001)
#include "platform/registry.h"
#include "state/modInitialize.h"
#include "topscores/topScoreStore.h"

#include <cstdio>
#include <string>

using namespace modInitialize;

// The text of the narrow calls: UTF-8 here, and under Wine too where the program's manifest takes.
static const std::string accented = "Zo\u00EB \"Ace\" M\u00FCller \u20AC", cyrillic = "\u0416\u0430\u043D\u043D\u0430";

static const std::string sampleNames[TopEntries] = {accented, "C:\\Games\\", cyrillic, " Lee  Ray ",
                                                    "Long" + std::string(250, '.')};
static const int16_t sampleScores[TopEntries] = {900, 750, 750, 300, 12};
static const char keyPath[] = "Software\\Brindlow\\Tallyfive\\1.2";

static int failures;

static void check(bool holds, const std::string &what)
{
    if (!holds) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

static void checkSample()
{
    loadTopScores();
    for (int n = 0; n < TopEntries; ++n) {
        check(topName[n] == sampleNames[n], "name " + std::to_string(n) + " is \"" + topName[n] + "\"");
        check(topScore[n] == sampleScores[n],
              "score " + std::to_string(n) + " is " + std::to_string(topScore[n]));
    }
}

// The registry's own answers, which the stand-in gives alike: a value that fits, and one that needs
// one byte more than the store's 255 and so does not load.
static void checkLimits()
{
    HKEY key;
    check(RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key) == ERROR_SUCCESS, "the key is made");
    const std::string fits(254, 'a'), tooLong(255, 'b');
    RegSetValueExA(key, "TopName0", 0, REG_SZ, reinterpret_cast<const BYTE *>(fits.c_str()), 255);
    RegSetValueExA(key, "TopName1", 0, REG_SZ, reinterpret_cast<const BYTE *>(tooLong.c_str()), 256);
    char buffer[255];
    DWORD size = sizeof buffer;
    check(RegQueryValueExA(key, "TopName1", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size) ==
              ERROR_MORE_DATA,
          "a value too long for the buffer asks for more room");
    check(size == 256, "with the size it needs");
    check(RegQueryValueExA(key, "TopScore7", nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND,
          "an absent value is not found");
    RegCloseKey(key);
    topName[0] = topName[1] = "kept";
    loadTopScores();
    check(topName[0] == fits, "the name of 254 bytes loads");
    check(topName[1] == "kept", "the name of 255 bytes does not");
}

static void saveCyrillic()
{
#ifdef _WIN32
    std::printf("active code page %u\n", GetACP());
#endif
    topName[0] = cyrillic;
    topScore[0] = 500;
    saveTopScores();
    topName[0].clear();
    loadTopScores();
    check(topName[0] == cyrillic, "the Cyrillic name loads as \"" + topName[0] + "\"");
}

int main(int argc, char *argv[])
{
    const std::string step = argc > 1 ? argv[1] : "";
    if (step == "save-sample") {
        for (int n = 0; n < TopEntries; ++n) {
            topName[n] = sampleNames[n];
            topScore[n] = sampleScores[n];
        }
        saveTopScores();
    } else if (step == "check-sample") {
        checkSample();
    } else if (step == "check-limits") {
        checkLimits();
    } else if (step == "save-cyrillic") {
        saveCyrillic();
    } else {
        std::printf("usage: storeSteps save-sample | check-sample | check-limits | save-cyrillic\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
