#pragma once

#include "debugger/DebugHost.h"

class TFMain;
class TFMDIQuill;

// The frame as the debugging session sees it: its build host, and its editor windows for
// the breakpoint and current-line marks and the status text.
class FrameDebugHost : public DebugHost {
public:
    explicit FrameDebugHost(TFMain &frame) : m_frame(frame) {}

    BuildHost &Builds() override;
    std::optional<QList<int>> BreakpointMarks(const QString &fileName) const override;
    void SetBreakpointMarks(const QString &fileName, const QList<int> &lines) override;
    bool ShowCurrentLine(const QString &fileName, int line) override;
    void ClearCurrentLine() override;
    void ShowDebugStatus(const QString &text) override;
    void ShowDebugState(DebugState state) override;

private:
    // The first window that holds the file, or nullptr.
    TFMDIQuill *windowOf(const QString &fileName) const;

    TFMain &m_frame;
};
