// Keeps Mesa's software GL driver loaded until the process ends. The display stack unloads it
// when the last window closes, and a one-time allocation it made then shows up in the leak
// check as a leak in an unknown module that no suppression can name.
#include <dlfcn.h>

namespace {
const bool kept = [] {
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
    return true;
}();
} // namespace
