// Keeps two copies of the game from saving the top-score table at the same time: while one holds the
// lock, it alone reads the stored table, adds its entry and writes the table back. A lock that another
// copy holds is waited for two seconds at most; then it is not held, the table is not saved, and stderr
// says why. Locks taken again inside one copy are the same lock.
#pragma once

class StoreLock
{
public:
    StoreLock();
    ~StoreLock();
    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;

    bool held() const;
};

// How long a save waits for another copy of the game, in milliseconds.
constexpr int storeLockWait = 2000;
