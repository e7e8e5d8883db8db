#include "DesktopHooks.h"

namespace {

DesktopHooks &installed() {
    static DesktopHooks hooks;
    return hooks;
}

} // namespace

void setDesktopHooks(const DesktopHooks &hooks) {
    installed() = hooks;
}

const DesktopHooks &desktopHooks() {
    return installed();
}
