// The five registry calls of the top-score store. On Windows they are advapi32's own; elsewhere a
// stand-in of ours keeps HKEY_LOCAL_MACHINE in one registry export file (registryStandIn.cpp), so
// that the store's code is the same on every system.
#pragma once

#ifdef _WIN32

#include <windows.h>

#else

#include <cstdint>

// The Windows types, at their Windows widths.
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef DWORD *LPDWORD;
typedef DWORD REGSAM;
typedef unsigned char BYTE;
typedef BYTE *LPBYTE;
typedef const char *LPCSTR;
typedef struct HKEY__ *HKEY;
typedef HKEY *PHKEY;

inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t(0x80000002));

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_REGISTRY_CORRUPT = 1015;

constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;

constexpr DWORD REG_SZ = 1;

// The 8-bit text that these calls take and give is UTF-8, the code page of the system. A registry
// file that cannot be read, understood or written is reported in one line on stderr, and the call fails
// as the registry's would. Only keys under HKEY_LOCAL_MACHINE are opened, and only REG_SZ values are
// set, of text that a line of the file can hold.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE *data, DWORD size);
LONG RegCloseKey(HKEY key);

#endif
