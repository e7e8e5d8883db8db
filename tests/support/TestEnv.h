#pragma once

#include <QString>
#include <QTemporaryDir>

// Gives a test its own settings store and program directory, so nothing touches the
// user's real files. Create one in initTestCase (or per test) and keep it alive.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    QString dir() const { return m_dir.path(); }
    // A path inside the test's temporary directory.
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Writes a file with the given bytes (creating folders) and returns its full path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    // Writes an executable script that records its arguments, one per line, in "<its
    // path>.args" (a stand-in for the compiler or the runtime) and returns its full path.
    QString writeArgumentRecorder(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
