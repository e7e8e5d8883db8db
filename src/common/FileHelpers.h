#pragma once

#include <QString>

// Files and file names. None keeps state between calls.

// True when the file exists and cannot be written (no write permission).
bool IsReadOnlyFile(const QString &fileName);
// Makes the file writable and removes it; never follows a symbolic link to its target.
bool DeleteFileForced(const QString &fileName);
// Moves an existing file to its backup name (Test.java -> Test.~java); a missing file does
// nothing. Never moves the target of a symbolic link.
void MakeBackupFile(const QString &fileName);
// The backup name MakeBackupFile uses for a file name.
QString BackupFileName(const QString &fileName);
// Size of the first matching entry (wildcards allowed in the name part) that is a plain,
// non-hidden file; -1 when there is none.
qint64 GetFileSize64(const QString &fileName);
// False for the empty text and for a text with any of < > : " / \ | ? *
bool IsValidFileName(const QString &text);

struct SplitName {
    QString dir;  // up to and including the last separator
    QString base; // name without extension
    QString ext;  // from the last dot of the name part on, with the dot; may be empty
};
SplitName SplitFileName(const QString &fullName);
// Appends the platform's separator unless the text ends in one; "" gives the separator.
QString AddBackslash(const QString &text);
