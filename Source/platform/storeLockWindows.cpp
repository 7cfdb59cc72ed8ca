// The store's lock on Windows: a mutex of the user's session, named for the game.
#include "platform/storeLock.h"

#include <windows.h>

static HANDLE mutex;
static int depth;

StoreLock::StoreLock()
{
    if (depth++ > 0)
        return;
    mutex = CreateMutexA(nullptr, FALSE, "Local\\Brindlow.Tallyfive.TopScores");
    if (mutex)
        WaitForSingleObject(mutex, INFINITE);
}

StoreLock::~StoreLock()
{
    if (--depth > 0 || !mutex)
        return;
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    mutex = nullptr;
}
