// The store's lock on Windows: a mutex of the user's session, named for the game.
#include "platform/storeLock.h"

#include <cstdio>
#include <windows.h>

static HANDLE mutex;
static int depth;
static bool mutexHeld;

StoreLock::StoreLock()
{
    if (depth++ > 0)
        return;
    mutex = CreateMutexA(nullptr, FALSE, "Local\\Brindlow.Tallyfive.TopScores");
    // A copy that ended while holding it leaves it abandoned, and so free.
    const DWORD waited = mutex ? WaitForSingleObject(mutex, storeLockWait) : WAIT_FAILED;
    mutexHeld = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!mutexHeld)
        std::fprintf(stderr,
                     "tallyfive: the top scores' lock is held by another copy of the game; the table is "
                     "not saved\n");
}

StoreLock::~StoreLock()
{
    if (--depth > 0 || !mutex)
        return;
    if (mutexHeld)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    mutex = nullptr;
    mutexHeld = false;
}

bool StoreLock::held() const
{
    return mutexHeld;
}
