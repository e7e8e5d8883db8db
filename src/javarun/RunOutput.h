#pragma once

#include <QString>

// Where compile and run write what the learner reads: the frame's error panel. The frame
// implements it over its text control; tests collect the lines.
class RunOutput {
public:
    virtual ~RunOutput() = default;

    // Empties the panel and shows it empty at once (a run may take a while).
    virtual void Clear() = 0;
    // Adds a line at the end.
    virtual void AppendLine(const QString &line) = 0;
    // Replaces the whole text.
    virtual void SetText(const QString &text) = 0;
    // Gives the panel the focus with the caret at its start (after a failed compile).
    virtual void FocusStart() = 0;
};
