#pragma once

#include "common/Desktop.h"

#include <QList>
#include <QUrl>

// A desktop for tests: counts beeps and records what it is handed, accepting it or not.
// Installed while it exists.
class RecordingDesktop : public Desktop {
public:
    RecordingDesktop() { setDesktop(this); }
    ~RecordingDesktop() override {
        if (desktop() == this)
            setDesktop(nullptr);
    }
    void Beep() override { ++beeps; }
    bool OpenUrl(const QUrl &url) override {
        opened << url;
        return accepts;
    }

    int beeps = 0;
    QList<QUrl> opened;
    bool accepts = true;
};
