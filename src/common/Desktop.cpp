#include "Desktop.h"

namespace {

Desktop *&installed() {
    static Desktop *current = nullptr;
    return current;
}

} // namespace

void setDesktop(Desktop *desktop) {
    installed() = desktop;
}

Desktop *desktop() {
    return installed();
}
