#pragma once

// The Win32 headers without the macros that would rename functions of ours that share a name
// with a Win32 one (ShellPlatform::CreateWindow, ShellPlatform::DispatchMessage): code here
// calls the ANSI functions by their full names.
#include <windows.h>

#undef CreateWindow
#undef DispatchMessage
