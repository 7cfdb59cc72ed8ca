// Keeps two copies of the game from saving the top-score table at the same time: while one holds the
// lock, it alone reads the stored table, adds its entry and writes the table back. Locks taken again
// inside one copy are the same lock.
#pragma once

class StoreLock
{
public:
    StoreLock();
    ~StoreLock();
    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;
};
