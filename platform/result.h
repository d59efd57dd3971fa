#pragma once

#include <cstdint>

// Windows-style result codes: 0 for success, negative for failure.
using HRESULT = int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

constexpr bool Failed(HRESULT result) { return result < 0; }
constexpr bool Succeeded(HRESULT result) { return result >= 0; }
