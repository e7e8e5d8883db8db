#pragma once

#include "debugger/DebugEngine.h"

#include <QStringList>

// An engine for tests: records every call as a line ("Listen Hallo", "SetBreakpoints
// /tmp/x/Hallo.java 3,5", "StepOver", ...); the test sends its signals itself. Finish ends
// the debugging at once, as the helper does once the program is gone.
class FakeDebugEngine : public DebugEngine {
    Q_OBJECT
public:
    using DebugEngine::DebugEngine;

    void Listen(const QString &mainClass) override {
        calls << QStringLiteral("Listen ") + mainClass;
    }
    void SetBreakpoints(const QString &fileName, const QList<int> &lines) override {
        QStringList numbers;
        for (const int line : lines)
            numbers << QString::number(line);
        calls << QStringLiteral("SetBreakpoints %1 %2").arg(fileName, numbers.join(u','));
    }
    void Resume() override { calls << QStringLiteral("Resume"); }
    void StepOver() override { calls << QStringLiteral("StepOver"); }
    void StepInto() override { calls << QStringLiteral("StepInto"); }
    void StepOut() override { calls << QStringLiteral("StepOut"); }
    void SelectFrame(int index) override { calls << QStringLiteral("SelectFrame %1").arg(index); }
    void Expand(qint64 objectId) override { calls << QStringLiteral("Expand %1").arg(objectId); }
    void Finish() override {
        calls << QStringLiteral("Finish");
        if (endOnFinish)
            emit Ended();
    }

    // The calls since the last look, and forgets them.
    QStringList take() {
        const QStringList taken = calls;
        calls.clear();
        return taken;
    }

    QStringList calls;
    bool endOnFinish = true;
};

// Builders for the engine's reports.
inline DebugFrame frameAt(const QString &method, const QString &className, int line,
                          const QString &sourceName = QString()) {
    return DebugFrame{method, className,
                      sourceName.isNull() ? className + QStringLiteral(".java") : sourceName, line};
}

inline DebugVariable variable(const QString &name, const QString &value, const QString &type,
                              qint64 objectId = 0) {
    return DebugVariable{name, value, type, objectId};
}
