#pragma once

#include <string>

#include "platform/result.h"

namespace windows {

// The calling thread's last Win32 error in words, with its number.
std::string LastErrorText();
// A result code as eight hexadecimal digits, "0x8876086C".
std::string ResultText(HRESULT result);

}  // namespace windows
