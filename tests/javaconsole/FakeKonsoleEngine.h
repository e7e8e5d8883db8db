#pragma once

#include "javaconsole/KonsoleEngine.h"

#include <QStringList>

// An engine that records what it was asked and answers only when the test says so.
class FakeKonsoleEngine : public KonsoleEngine {
    Q_OBJECT
public:
    using KonsoleEngine::KonsoleEngine;

    void Start() override { ++starts; }
    bool IsReady() const override { return ready; }
    void Evaluate(const QString &input) override { calls << QStringLiteral("eval:") + input; }
    void Stop() override { calls << QStringLiteral("stop"); }
    void Reset() override { calls << QStringLiteral("reset"); }
    void SetClassPath(const QStringList &folders) override {
        calls << QStringLiteral("classpath:") + folders.join(u';');
    }

    // Java is up.
    void BecomeReady() {
        ready = true;
        emit Ready();
    }
    // The request that runs ends: with output first, if any.
    void Answer(KonsoleOutcome outcome, KonsoleText kind = KonsoleText::Value,
                const QString &text = QString()) {
        if (!text.isEmpty())
            emit Output(kind, text);
        emit Finished(outcome);
    }
    void Fail(const QString &message) {
        ready = false;
        emit Failed(message);
    }

    int starts = 0;
    bool ready = false;
    QStringList calls;
};
