#pragma once

#include <QUrl>

// What the widget layer lends the QtCore helpers: the platform's beep and handing a file or
// address to the desktop's associated program. Without an installed desktop, beeps are
// silent and nothing can be handed over (ExecuteFile then reports a missing association).
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void Beep() = 0;
    // True when the desktop accepted the file or address.
    virtual bool OpenUrl(const QUrl &url) = 0;
};

// Installs the desktop (not owned; the program at start, tests with recorders); nullptr
// removes it.
void setDesktop(Desktop *desktop);
// The installed desktop, or nullptr.
Desktop *desktop();
