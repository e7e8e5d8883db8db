#pragma once

#include <QString>

// What the editor window reads from the settings and the file helpers, in one place.
namespace EditorEnvironment {

// Setting AutoSave: keep a backup of the previous file content when saving.
bool AutoSave();
// Setting EditorPfad: start directory of the file dialogs.
QString EditorPfad();
// Settings Tastencode\Compiler and Tastencode\Run: shortcut texts.
QString CompilerKey();
QString RunKey();

// The file exists and may not be written.
bool IsReadOnlyFile(const QString &fileName);
// Size of a file in bytes, -1 when there is none.
qint64 FileSize(const QString &fileName);
// Moves an existing file to its backup name; returns that name.
QString MakeBackupFile(const QString &fileName);

struct NameParts {
    QString dir;
    QString base;
    QString ext;
};
// Directory (with separator), base name and extension (with its dot) of a name.
NameParts SplitFileName(const QString &name);

} // namespace EditorEnvironment
