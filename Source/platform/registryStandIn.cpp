// The registry where Windows has none: HKEY_LOCAL_MACHINE kept in one registry export file in the
// user's data folder, Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg, which Windows' regedit imports. An
// open reads the file afresh; a key's changes are laid onto the file as it stands when the key is
// closed, and the file is replaced in one step. A file that cannot be read, understood or written is
// never written over, and each such failure is one line on stderr.
#include "platform/registry.h"
#include "platform/registryFile.h"
#include "platform/storeLock.h"
#include "platform/windows1252.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace platform;

struct HKEY__ {
    std::string key;   // as written, root key first
    RegistryFile file; // as read at the open, with this key's changes
    std::vector<std::pair<std::string, std::string>> changes;
};

// Far more than any table needs; a larger file is no registry of ours.
constexpr off_t largestFile = 16 << 20;

static std::string registryFilePath()
{
    const char *data = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    const std::string folder =
        data && data[0] == '/' ? data : std::string(home ? home : "") + "/.local/share";
    return folder + "/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg";
}

static void report(const std::string &path, const char *what)
{
    std::fprintf(stderr, "tallyfive: the registry file %s %s\n", path.c_str(), what);
}

// The whole of a regular file of a sane size; false for anything else in its place, which must not
// hang or swamp the program.
static bool readWhole(int input, std::string &bytes)
{
    struct stat status {
    };
    if (fstat(input, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > largestFile)
        return false;
    bytes.resize(size_t(status.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(input, &bytes[done], bytes.size() - done);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += size_t(got);
    }
    bytes.resize(done);
    return true;
}

// The file as it stands; an absent or empty file is an empty registry.
static LONG readRegistry(const std::string &path, RegistryFile &file)
{
    std::string bytes;
    const int input = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (input < 0 && errno != ENOENT) {
        report(path, "cannot be read");
        return ERROR_ACCESS_DENIED;
    }
    const bool read = input < 0 || readWhole(input, bytes);
    if (input >= 0)
        ::close(input);
    if (!read) {
        report(path, "is no file of a registry's size");
        return ERROR_ACCESS_DENIED;
    }
    if (!readRegistryFile(bytes.empty() ? "REGEDIT4\r\n" : bytes, file)) {
        report(path, "is not a registry export; it is left as it is");
        return ERROR_REGISTRY_CORRUPT;
    }
    return ERROR_SUCCESS;
}

static void makeFolders(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
}

// Temporary files that an earlier version left when it was ended in the middle of a save.
static void removeStrayCopies(const std::string &path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = path.substr(0, slash), prefix = path.substr(slash + 1) + '.';
    std::unique_ptr<DIR, int (*)(DIR *)> listing(::opendir(folder.c_str()), ::closedir);
    while (const dirent *entry = listing ? ::readdir(listing.get()) : nullptr) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
            ::unlink((folder + '/' + name).c_str());
    }
}

// Written whole to a copy beside the file, synced, and renamed over it; a copy left by a program
// ended half-way is overwritten by the next save. Under the store's lock, so one copy at a time.
static LONG writeRegistry(const std::string &path, const RegistryFile &file)
{
    const std::string bytes = writeRegistryFile(file), copy = path + ".new";
    makeFolders(path);
    removeStrayCopies(path);
    struct stat status {
    };
    const mode_t mode = ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0644;
    const int output = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    bool written = output >= 0;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t put = ::write(output, bytes.data() + done, bytes.size() - done);
        written = put > 0;
        done += written ? size_t(put) : 0;
    }
    written = written && ::fsync(output) == 0;
    written = output >= 0 && ::close(output) == 0 && written && ::rename(copy.c_str(), path.c_str()) == 0;
    if (!written) {
        ::unlink(copy.c_str());
        report(path, "could not be written in full; it is left as it was");
        return ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

static LONG openKey(HKEY key, LPCSTR subKey, bool create, PHKEY result)
{
    if (!result || key != HKEY_LOCAL_MACHINE || !subKey)
        return ERROR_INVALID_PARAMETER;
    auto opened = std::make_unique<HKEY__>();
    opened->key = std::string("HKEY_LOCAL_MACHINE\\") + subKey;
    if (const LONG status = readRegistry(registryFilePath(), opened->file))
        return status;
    if (!create && !hasKey(opened->file, normalizedKey(opened->key)))
        return ERROR_FILE_NOT_FOUND;
    if (create && opened->file.halfCharacter) {
        report(registryFilePath(), "ends in half a character; it is read but not written over");
        return ERROR_REGISTRY_CORRUPT;
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

// The text of the file's form in the narrow calls' Windows-1252.
static std::string narrow(const RegistryFile &file, const std::string &text)
{
    return file.form == FileText::Windows1252 ? text : utf8ToWindows1252(text);
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (reserved || (data && !size))
        return ERROR_INVALID_PARAMETER;
    std::string text;
    if (!findText(key->file, normalizedKey(key->key), valueName ? valueName : "", text))
        return ERROR_FILE_NOT_FOUND;
    const std::string bytes = narrow(key->file, text) + '\0';
    if (type)
        *type = REG_SZ;
    if (!size)
        return ERROR_SUCCESS;
    const DWORD room = *size;
    *size = DWORD(bytes.size());
    if (data && room < *size)
        return ERROR_MORE_DATA;
    if (data)
        std::memcpy(data, bytes.data(), bytes.size());
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
    if (!setText(key->file, key->key, name, text))
        return ERROR_INVALID_PARAMETER;
    key->changes.emplace_back(name, text);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    const std::unique_ptr<HKEY__> closing(key);
    if (key->changes.empty())
        return ERROR_SUCCESS;
    const StoreLock lock;
    const std::string path = registryFilePath();
    RegistryFile file;
    if (const LONG status = readRegistry(path, file))
        return status;
    for (const auto &[name, text] : key->changes)
        setText(file, key->key, name, text);
    return writeRegistry(path, file);
}

// One lock file beside the store's file; flock holds it for this process until the last lock goes.
static int lockDepth;
static int lockFile = -1;

StoreLock::StoreLock()
{
    if (lockDepth++ > 0)
        return;
    const std::string path = registryFilePath() + ".lock";
    makeFolders(path);
    lockFile = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // Without the lock file, as on a read-only disk, the save goes on unlocked and fails on its own.
    if (lockFile >= 0)
        ::flock(lockFile, LOCK_EX);
}

StoreLock::~StoreLock()
{
    if (--lockDepth > 0 || lockFile < 0)
        return;
    ::close(lockFile);
    lockFile = -1;
}
