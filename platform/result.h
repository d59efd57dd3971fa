#pragma once

#include <cstdint>

// Windows-style result codes: 0 for success, negative for failure. On Windows they are the
// system's own, so that its headers and ours can meet in one file.
#ifdef _WIN32
typedef long HRESULT;
#else
using HRESULT = int32_t;
#endif

#ifndef S_OK
inline constexpr HRESULT S_OK = 0;
#endif
#ifndef E_FAIL
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
#endif

constexpr bool Failed(HRESULT result) { return result < 0; }
constexpr bool Succeeded(HRESULT result) { return result >= 0; }
