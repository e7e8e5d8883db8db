#pragma once

#include "javarun/BuildTarget.h"

#include <QString>

class TFMDIQuill;

// An editor window as the build commands see it.
class WindowBuildTarget : public BuildTarget {
public:
    explicit WindowBuildTarget(TFMDIQuill &window) : m_window(window) {}

    bool HasFile() const override;
    QString FileName() const override;
    QString FileBase() const override;
    QString FileExt() const override;
    QString SourceEncoding() const override;
    QString SourceText() const override;
    bool Modified() const override;
    bool WriteForBuild() override;
    void ShowBuildStatus(const QString &text) override;
    QObject *LifetimeObject() override;

private:
    TFMDIQuill &m_window;
    QString m_previousStatus;
};
