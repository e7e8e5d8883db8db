#pragma once

#include "WorkspaceDocument.h"

class TFMDIQuill;

// An editor window's document as the workspace sees it.
class WindowDocument : public WorkspaceDocument {
public:
    explicit WindowDocument(TFMDIQuill &window) : m_window(window) {}

    QObject *Window() const override;
    bool HasFile() const override;
    QString FileName() const override;
    QString FileDir() const override;
    bool HoldsFile(const QString &name) const override;
    std::shared_ptr<BuildTarget> Target() override;

private:
    TFMDIQuill &m_window;
};
