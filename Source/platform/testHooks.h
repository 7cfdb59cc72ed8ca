// Where tests reach into the platform stand-ins. Besides the shared state and the window
// references, these are the program's only globals; the program itself never sets them.
#pragma once

#include <QString>
#include <cstdint>

namespace platform
{

// How a broken picture ends the program, in place of ending the process.
void setProgramEnd(void (*end)(int status));

// Where a new game reads the clock that seeds its shuffle.
void setClock(uint64_t (*read)());

// The folder the program takes for its own; an empty text gives back the real one.
void setExecutableFolder(const QString &folder);

} // namespace platform
