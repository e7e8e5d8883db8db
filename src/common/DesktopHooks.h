#pragma once

#include <QUrl>

#include <functional>

// What the widget layer lends the QtCore helpers: the platform's beep and handing a file
// to the desktop's associated program. Without hooks, beeps are silent and no file can be
// handed to the desktop (ExecuteFile then reports a missing association).
struct DesktopHooks {
    std::function<void()> beep;
    // True when the desktop accepted the file.
    std::function<bool(const QUrl &)> openUrl;
};

// Installs the hooks (the program at start, tests with recorders); {} removes them.
void setDesktopHooks(const DesktopHooks &hooks);
const DesktopHooks &desktopHooks();
