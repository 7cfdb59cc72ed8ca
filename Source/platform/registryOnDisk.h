// The registry stand-in's file on disk: where it lives, reading it whole, and replacing it in one step.
// The folder is the player's, and anything may stand in it: a link, a special file, a player's own
// copies. A file that cannot be read or written is reported in one line on stderr and left as it is.
#pragma once

#include "platform/registry.h"

#include <string>

namespace platform
{

// XDG_DATA_HOME (or ~/.local/share), then Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg.
std::string registryFilePath();

// One line on stderr about the file at `path`.
void report(const std::string &path, const std::string &what);

void makeFolders(const std::string &path);

// The bytes of the file; none for an absent file. Fails for anything but a regular file of at most
// 16 MiB.
LONG readRegistryBytes(const std::string &path, std::string &bytes);

// Puts the bytes in the file's place through a copy beside it, or through a link to the file the link
// ends at, keeping the link. A read-only file, or anything but a regular file, is not written over.
LONG replaceRegistryFile(const std::string &path, const std::string &bytes);

} // namespace platform
