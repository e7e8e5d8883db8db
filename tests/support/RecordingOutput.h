#pragma once

#include "javarun/RunOutput.h"

#include <QString>
#include <QStringList>

// The error panel for tests: keeps the text as the frame's panel would show it and counts
// the focus requests.
class RecordingOutput : public RunOutput {
public:
    void Clear() override { text.clear(); }
    // Like a text control's append: the first line of an empty panel starts no new line.
    void AppendLine(const QString &line) override {
        if (text.isEmpty())
            text = line;
        else
            text += u'\n' + line;
    }
    void SetText(const QString &replacement) override { text = replacement; }
    void FocusStart() override { ++focusRequests; }

    QStringList Lines() const { return text.split(u'\n'); }

    QString text;
    int focusRequests = 0;
};
