#include "TestEnv.h"

#include "common/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TestEnv::TestEnv() {
    QStandardPaths::setTestModeEnabled(true);
    QDir(m_dir.path()).mkpath("prog");
    qputenv("QUILL_STORE_FILE", QFile::encodeName(m_dir.filePath("store/quill-store.json")));
    SetProgramDirForTesting(m_dir.filePath("prog"));
}

TestEnv::~TestEnv() {
    SetProgramDirForTesting(QString());
    qunsetenv("QUILL_STORE_FILE");
}

QString TestEnv::writeFile(const QString &name, const QByteArray &bytes) const {
    const QString full = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return full;
}

QString TestEnv::writeArgumentRecorder(const QString &name) const {
    const QString script =
        writeFile(name, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.args\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}
