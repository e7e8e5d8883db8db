#pragma once

#include "javarun/RunOutput.h"

#include <QPointer>

class QPlainTextEdit;

// The error panel as the build commands write to it. The panel may go away during a run
// (the frame is closing); writes then do nothing.
class PanelOutput : public RunOutput {
public:
    explicit PanelOutput(QPlainTextEdit *panel);

    void Clear() override;
    void AppendLine(const QString &line) override;
    void SetText(const QString &text) override;
    void FocusStart() override;

private:
    QPointer<QPlainTextEdit> m_panel;
};
