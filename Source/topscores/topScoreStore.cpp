// The top-score table in the registry: HKEY_LOCAL_MACHINE\Software\Brindlow\Tallyfive\1.2, with
// REG_SZ values TopName0 to TopName4 and TopScore0 to TopScore4. Names are kept as the system's
// 8-bit text, byte for byte: UTF-8 on Linux, and on Windows too where the program declares that code
// page. Nothing here is ever reported to the player.
#include "topscores/topScoreStore.h"

#include "platform/registry.h"
#include "state/modInitialize.h"

#include <algorithm>
#include <string>

using namespace modInitialize;

static const char keyPath[] = "Software\\Brindlow\\Tallyfive\\1.2";
enum { valueRoom = 255 };

static std::string valueName(const char *prefix, int entry)
{
    return prefix + std::to_string(entry);
}

// The stored text up to its first zero byte, as every reader of a REG_SZ text sees it, so that what
// loads can be written back as it loaded; false when the value is absent, needs more room than the
// buffer has, or is empty.
static bool queryText(HKEY key, const std::string &name, std::string &text)
{
    char buffer[valueRoom] = {};
    DWORD valueType = 0;
    DWORD size = valueRoom;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &valueType, reinterpret_cast<LPBYTE>(buffer), &size) !=
            ERROR_SUCCESS ||
        size == 0 || size > valueRoom)
        return false;
    text.assign(buffer, std::find(buffer, buffer + size - 1, '\0'));
    return true;
}

// Only a hand-edited registry holds anything but the digits of a score from 1 to 32767; any text
// that is not a whole number within 16 bits counts as no score.
static int16_t scoreFromText(const std::string &text)
{
    const bool negative = !text.empty() && text[0] == '-';
    const size_t first = (negative || (!text.empty() && text[0] == '+')) ? 1 : 0;
    if (first == text.size())
        return 0;
    long value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
        if (value > 32768)
            return 0;
    }
    value = negative ? -value : value;
    return value > 32767 ? 0 : static_cast<int16_t>(value);
}

void loadTopScores()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (int n = 0; n < TopEntries; ++n) {
        std::string text;
        if (queryText(key, valueName("TopName", n), text))
            topName[n] = text;
        if (queryText(key, valueName("TopScore", n), text))
            topScore[n] = scoreFromText(text);
    }
    RegCloseKey(key);
}

static bool setText(HKEY key, const std::string &name, const std::string &text)
{
    return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void saveTopScores()
{
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key) != ERROR_SUCCESS)
        return;
    for (int n = 0; n < TopEntries; ++n) {
        if (topScore[n] <= 0)
            continue;
        // An entry is written whole or not at all: a score never goes under a name that is not its own.
        if (setText(key, valueName("TopName", n), topName[n]))
            setText(key, valueName("TopScore", n), std::to_string(topScore[n]));
    }
    RegCloseKey(key);
}
