#pragma once

#include "javarun/BuildTarget.h"

#include <QFileInfo>
#include <QString>

// An editor window as the build commands see it: a saved, unchanged Java file in UTF-8.
class SavedFileTarget : public BuildTarget {
public:
    explicit SavedFileTarget(const QString &fileName) : m_info(fileName) {}
    bool HasFile() const override { return true; }
    QString FileName() const override { return m_info.absoluteFilePath(); }
    QString FileBase() const override { return m_info.completeBaseName(); }
    QString FileExt() const override { return u'.' + m_info.suffix(); }
    QString SourceEncoding() const override { return QStringLiteral("UTF-8"); }
    QString SourceText() const override { return QString(); }
    bool Modified() const override { return false; }
    bool WriteForBuild() override { return true; }
    void ShowBuildStatus(const QString &) override {}
    QObject *LifetimeObject() override { return nullptr; }

private:
    QFileInfo m_info;
};
