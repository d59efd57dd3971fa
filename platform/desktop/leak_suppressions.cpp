// Sanitizer builds only. Mesa's software driver keeps some allocations until the process ends
// and is unloaded before LeakSanitizer looks, which leaves those leaks unattributable and so
// impossible to tell from ours. Keeping the driver loaded lets them be named and set aside, with
// the one allocation the D-Bus library (loaded by SDL) never frees.
#include <dlfcn.h>

extern "C" const char* __lsan_default_suppressions() {
    return "leak:swrast_dri\n"
           "leak:libEGL_mesa\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libglapi\n"
           "leak:libdbus-1\n";
}

namespace {

__attribute__((constructor)) void KeepDriverLoaded() {
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
    dlopen("libEGL_mesa.so.0", RTLD_NOW | RTLD_NODELETE);
}

}  // namespace
