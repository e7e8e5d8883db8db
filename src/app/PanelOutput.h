#pragma once

#include "javarun/RunOutput.h"

#include <QPointer>

class QPlainTextEdit;

// The error panel as the build commands write to it. New output shows its end, unless the
// learner has scrolled up to read something: then the panel stays where it is. The panel
// may go away during a run (the frame is closing); writes then do nothing.
class PanelOutput : public RunOutput {
public:
    explicit PanelOutput(QPlainTextEdit *panel);

    void Clear() override;
    void AppendLine(const QString &line) override;
    void SetText(const QString &text) override;
    void FocusStart() override;

private:
    // Runs the change, then shows the end or the place the learner scrolled to.
    template <typename Change> void keepingPlace(Change change);

    QPointer<QPlainTextEdit> m_panel;
};
