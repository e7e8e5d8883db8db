#pragma once

#include "FakeBuildHost.h"

#include "common/Helpers.h"
#include "debugger/DebugHost.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A frame for the debugging session: the windows are file names with their breakpoint
// lines; it records the current line, the status text and the states it was shown.
class FakeDebugHost : public DebugHost {
public:
    BuildHost &Builds() override { return builds; }
    std::optional<QList<int>> BreakpointMarks(const QString &fileName) const override {
        for (auto it = windows.cbegin(); it != windows.cend(); ++it)
            if (SameFileName(it.key(), fileName))
                return it.value();
        return std::nullopt;
    }
    void SetBreakpointMarks(const QString &fileName, const QList<int> &lines) override {
        for (auto it = windows.begin(); it != windows.end(); ++it)
            if (SameFileName(it.key(), fileName))
                it.value() = lines;
    }
    bool ShowCurrentLine(const QString &fileName, int line) override {
        if (!windows.contains(fileName))
            opened << fileName;
        windows.insert(fileName, windows.value(fileName));
        currentFile = fileName;
        currentLine = line;
        return true;
    }
    void ClearCurrentLine() override {
        currentFile.clear();
        currentLine = 0;
    }
    void ShowDebugStatus(const QString &text) override { status = text; }
    void ShowDebugState(DebugState state) override { states << state; }

    FakeBuildHost builds;
    QHash<QString, QList<int>> windows; // open files and their breakpoint marks
    QStringList opened;                 // files ShowCurrentLine had to open
    QString currentFile;
    int currentLine = 0;
    QString status;
    QList<DebugState> states;
};
