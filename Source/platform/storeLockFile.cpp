// The store's lock where the registry is a file: flock on one lock file beside it, which the lock
// holds for this process until the last lock goes.
#include "platform/registryOnDisk.h"
#include "platform/storeLock.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

static int lockDepth;
static int lockFile = -1;
static bool lockHeld;

static long long millisecondsNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

StoreLock::StoreLock()
{
    if (lockDepth++ > 0)
        return;
    const std::string file = platform::registryFilePath(), path = file + ".lock";
    platform::makeFolders(path);
    // Only locked, never written: a link in its place is not followed.
    lockFile = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (lockFile < 0) {
        platform::report(file, "cannot be locked: " + path + " cannot be made (" + std::strerror(errno) +
                                   "); the table is not saved");
        return;
    }
    const long long deadline = millisecondsNow() + storeLockWait;
    for (;;) {
        if (::flock(lockFile, LOCK_EX | LOCK_NB) == 0) {
            lockHeld = true;
            return;
        }
        const int fault = errno;
        if (fault == EINTR || (fault == EWOULDBLOCK && millisecondsNow() < deadline)) {
            const timespec pause{0, 10 * 1000000};
            nanosleep(&pause, nullptr);
            continue;
        }
        platform::report(file,
                         fault == EWOULDBLOCK
                             ? "has been locked by another copy of the game for 2 s; the table is not saved"
                             : std::string("cannot be locked (") + std::strerror(fault) +
                                   "); the table is not saved");
        return;
    }
}

StoreLock::~StoreLock()
{
    if (--lockDepth > 0)
        return;
    if (lockFile >= 0)
        ::close(lockFile);
    lockFile = -1;
    lockHeld = false;
}

bool StoreLock::held() const
{
    return lockHeld;
}
