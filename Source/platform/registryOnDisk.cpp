#include "platform/registryOnDisk.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

// Far more than any table needs; a larger file is no registry of ours, and none is written.
constexpr off_t largestFile = 16 << 20;

std::string registryFilePath()
{
    const char *data = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    const std::string folder =
        data && data[0] == '/' ? data : std::string(home ? home : "") + "/.local/share";
    return folder + "/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg";
}

void report(const std::string &path, const std::string &what)
{
    std::fprintf(stderr, "tallyfive: the registry file %s %s\n", path.c_str(), what.c_str());
}

void makeFolders(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
}

static std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "no regular file";
}

// Opened without waiting, so that a FIFO in the file's place cannot hang the game; then read only if
// it is a regular file of a sane size.
LONG readRegistryBytes(const std::string &path, std::string &bytes)
{
    bytes.clear();
    const int input = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (input < 0 && errno == ENOENT)
        return ERROR_SUCCESS;
    struct stat status {
    };
    std::string fault;
    if (input < 0 || ::fstat(input, &status) != 0)
        fault = std::string("cannot be read (") + std::strerror(errno) + ")";
    else if (!S_ISREG(status.st_mode))
        fault = "is " + kindOf(status.st_mode) + ", not a file";
    else if (status.st_size > largestFile)
        fault = "is larger than 16 MiB, more than any registry of ours";
    if (fault.empty()) {
        bytes.resize(size_t(status.st_size));
        size_t done = 0;
        ssize_t got = 1;
        while (got > 0 && done < bytes.size()) {
            got = ::read(input, &bytes[done], bytes.size() - done);
            done += got > 0 ? size_t(got) : 0;
        }
        bytes.resize(done);
        if (got < 0)
            fault = std::string("cannot be read (") + std::strerror(errno) + ")";
    }
    if (input >= 0)
        ::close(input);
    if (fault.empty())
        return ERROR_SUCCESS;
    report(path, fault + "; it is left as it is");
    return ERROR_ACCESS_DENIED;
}

// The copy, made afresh: never through a link, never into a file already there.
static int createCopy(const std::string &copy, mode_t mode)
{
    return ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

// A copy that a save ended half-way left behind, under the one name every save writes its copy by.
// Removing a link there removes the link alone, never the file it points at. Nothing else is removed:
// anything else at that name ends the save.
static bool clearCopy(const std::string &path, const std::string &copy)
{
    struct stat status {
    };
    if (::lstat(copy.c_str(), &status) != 0)
        return false;
    if ((S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) && ::unlink(copy.c_str()) == 0)
        return true;
    report(path, "is left as it is: " + kindOf(status.st_mode) + " stands at " + copy +
                     ", where its copy is written");
    return false;
}

static void syncFolder(const std::string &path)
{
    const int folder =
        ::open(path.substr(0, path.rfind('/') + 1).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

// Written whole to a copy beside the file, synced, and renamed over the file in one step.
LONG replaceRegistryFile(const std::string &path, const std::string &bytes)
{
    if (bytes.size() > size_t(largestFile)) {
        report(path, "would grow past 16 MiB; it is left as it is");
        return ERROR_WRITE_FAULT;
    }
    std::string target = path;
    struct stat status {
    };
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        // The link stays, and the file it ends at is kept up to date; the copy lies beside that file, so
        // that the rename stays within one file system.
        char *resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved) {
            report(path, "is a link to nothing; it is left as it is");
            return ERROR_ACCESS_DENIED;
        }
        target = resolved;
        std::free(resolved);
    }
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        report(path, "is " + kindOf(status.st_mode) + ", not a file; it is left as it is");
        return ERROR_ACCESS_DENIED;
    }
    // Read-only for everyone, root too: a player who took the write rights away meant it.
    if (exists && ((status.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        report(path, "is read-only; it is left as it is");
        return ERROR_ACCESS_DENIED;
    }
    if (!exists)
        makeFolders(target);
    const std::string copy = target + ".new";
    const mode_t mode = exists ? status.st_mode & 07777 : 0644;
    int output = createCopy(copy, mode);
    if (output < 0 && errno == EEXIST && clearCopy(path, copy))
        output = createCopy(copy, mode);
    bool written = output >= 0 && (!exists || ::fchmod(output, mode) == 0);
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t put = ::write(output, bytes.data() + done, bytes.size() - done);
        written = put > 0;
        done += written ? size_t(put) : 0;
    }
    written = written && ::fsync(output) == 0;
    written = output >= 0 && ::close(output) == 0 && written && ::rename(copy.c_str(), target.c_str()) == 0;
    if (!written) {
        if (output >= 0)
            ::unlink(copy.c_str());
        report(path, "could not be written in full; it is left as it was");
        return ERROR_WRITE_FAULT;
    }
    syncFolder(target);
    return ERROR_SUCCESS;
}

} // namespace platform
