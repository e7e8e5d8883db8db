#pragma once

#include <QList>
#include <QString>

#include <optional>

class BuildHost;

// Where a debugging stands: no program, the helper waiting for the program to connect, the
// program running, the program stopped at a line.
enum class DebugState { Idle, Waiting, Running, Stopped };

// What the debugging session needs of the frame and its editor windows. The frame
// implements it; tests use a fake.
class DebugHost {
public:
    virtual ~DebugHost() = default;

    // The frame as the build commands see it: the compile and the run of the program.
    virtual BuildHost &Builds() = 0;

    // The lines (from 1, ascending) of the breakpoint marks of the document of fileName;
    // nothing when no window holds that file.
    virtual std::optional<QList<int>> BreakpointMarks(const QString &fileName) const = 0;
    // Puts exactly these breakpoint marks (lines from 1) on the document of fileName, when a
    // window holds it.
    virtual void SetBreakpointMarks(const QString &fileName, const QList<int> &lines) = 0;

    // Brings the window of fileName to the front, opening the file when no window holds it,
    // puts the current-line mark on line (from 1), the only one of all windows, and scrolls
    // it into view. False when the file could not be shown.
    virtual bool ShowCurrentLine(const QString &fileName, int line) = 0;
    // Takes the current-line mark off every window.
    virtual void ClearCurrentLine() = 0;
    // Shows the text in the first panel of the status bar of the window in front ("" gives
    // the panel back to the caret position).
    virtual void ShowDebugStatus(const QString &text) = 0;
    // The debugging changed its state: the items that may be used, the variables shown or
    // hidden.
    virtual void ShowDebugState(DebugState state) = 0;
};
