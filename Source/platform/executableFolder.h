// The folder of the executable, where the Pack folder and the about page lie.
#pragma once

#include <QString>

namespace platform
{

// The path separator of the system, as its paths are written.
#ifdef _WIN32
constexpr char pathSeparator = '\\';
#else
constexpr char pathSeparator = '/';
#endif

// The folder as the system reports it, without a trailing separator unless it is the root.
QString executableFolder();

} // namespace platform
