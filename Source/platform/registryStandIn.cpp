// The registry where Windows has none: HKEY_LOCAL_MACHINE kept in one registry export file in the
// user's data folder (registryOnDisk.cpp), which Windows' regedit imports. The narrow text of the calls
// is UTF-8, the code page of the system. An open reads the file afresh; a key's changes are laid onto
// the file as it stands when the key is closed, under the store's lock, and the file is replaced in
// one step. A file that cannot be read, understood or written is never written over, and each such
// failure is one line on stderr.
#include "platform/registry.h"
#include "platform/registryFile.h"
#include "platform/registryOnDisk.h"
#include "platform/storeLock.h"

#include <algorithm>
#include <cstring>
#include <memory>

using namespace platform;

struct HKEY__ {
    std::string key; // as written, root key first
    // The file as read at the open, or at the first query of a key made to set values, which otherwise
    // reads it only when it is closed.
    bool read = false;
    RegistryFile file;
    KeyLines lines;  // what the file holds of the key
    Changes changes; // the values set since the open, in order
};

// The file as it stands; an absent or empty file is an empty registry.
static LONG readRegistry(const std::string &path, RegistryFile &file)
{
    std::string bytes;
    if (const LONG status = readRegistryBytes(path, bytes))
        return status;
    if (bytes.empty()) {
        file = newRegistryFile();
        return ERROR_SUCCESS;
    }
    if (!readRegistryFile(std::move(bytes), file)) {
        report(path, "is not a registry export; it is left as it is");
        return ERROR_REGISTRY_CORRUPT;
    }
    return ERROR_SUCCESS;
}

// Gives the file's memory back at once, so that no more than one copy of it is held.
static void release(RegistryFile &file)
{
    std::string().swap(file.text);
}

static LONG readKey(HKEY key)
{
    if (key->read)
        return ERROR_SUCCESS;
    if (const LONG status = readRegistry(registryFilePath(), key->file))
        return status;
    key->lines = findKey(key->file, normalizedKey(key->key));
    key->read = true;
    return ERROR_SUCCESS;
}

static LONG openKey(HKEY key, LPCSTR subKey, bool create, PHKEY result)
{
    if (!result || key != HKEY_LOCAL_MACHINE || !subKey)
        return ERROR_INVALID_PARAMETER;
    auto opened = std::make_unique<HKEY__>();
    opened->key = std::string("HKEY_LOCAL_MACHINE\\") + subKey;
    if (!create) {
        if (const LONG status = readKey(opened.get()))
            return status;
        if (!opened->lines.held)
            return ERROR_FILE_NOT_FOUND;
    }
    *result = opened.release();
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result)
{
    return openKey(key, subKey, (access & KEY_SET_VALUE) != 0, result);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return openKey(key, subKey, true, result);
}

// Value names are matched as regedit matches them, without regard to the case of ASCII letters.
static bool sameName(const std::string &a, const std::string &b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (reserved || (data && !size))
        return ERROR_INVALID_PARAMETER;
    const std::string name = valueName ? valueName : "";
    std::string text;
    const auto set = std::find_if(key->changes.rbegin(), key->changes.rend(),
                                  [&name](const auto &change) { return sameName(change.first, name); });
    if (set != key->changes.rend())
        text = set->second;
    else if (const LONG status = readKey(key))
        return status;
    else if (!findText(key->file, key->lines, name, text))
        return ERROR_FILE_NOT_FOUND;
    text += '\0';
    if (type)
        *type = REG_SZ;
    if (!size)
        return ERROR_SUCCESS;
    const DWORD room = *size;
    *size = DWORD(text.size());
    if (data && room < *size)
        return ERROR_MORE_DATA;
    if (data)
        std::memcpy(data, text.data(), text.size());
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE *data, DWORD size)
{
    if (type != REG_SZ || (!data && size > 0))
        return ERROR_INVALID_PARAMETER;
    std::string text(reinterpret_cast<const char *>(data), size);
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    const std::string name = valueName ? valueName : "";
    if (!fitsOneLine(name) || !fitsOneLine(text))
        return ERROR_INVALID_PARAMETER;
    key->changes.emplace_back(name, text);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    const std::unique_ptr<HKEY__> closing(key);
    if (key->changes.empty())
        return ERROR_SUCCESS;
    release(key->file);
    const StoreLock lock;
    if (!lock.held())
        return ERROR_ACCESS_DENIED;
    const std::string path = registryFilePath();
    RegistryFile file;
    if (const LONG status = readRegistry(path, file))
        return status;
    if (file.halfCharacter) {
        report(path, "ends in half a character; it is read but not written over");
        return ERROR_REGISTRY_CORRUPT;
    }
    const std::string bytes =
        writeRegistryFile(file, findKey(file, normalizedKey(key->key)), key->key, key->changes);
    release(file);
    return replaceRegistryFile(path, bytes);
}
