#pragma once

#include "StoreProblem.h"

#include <QString>

// Free helper functions used by every part of the program. None keeps state between calls.

// Message boxes with an OK button only, owned by the main window.
void ShowWarningBox(const QString &caption, const QString &text);
void ShowErrorBox(const QString &caption, const QString &text);

// Modal one-line input box; the text when confirmed, the empty text when cancelled.
QString InputText(const QString &prompt, const QString &caption, const QString &defaultText);

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

// Removes characters up to and including the blank (code 32 and below) at both ends.
QString TrimBlanksAndControls(const QString &text);
// Upper-cases one character with the simple mapping, so a text's length never changes ("ß"
// stays "ß"). Scanners call it for every character, so ASCII takes a short path.
inline QChar upperChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 128)
        return u >= u'a' && u <= u'z' ? QChar(char16_t(u - 32)) : c;
    return c.toUpper();
}
// Upper-cases character by character with upperChar; for comparing and searching.
QString UpperCaseChars(const QString &text);
// Reads a 32-bit integer from a trimmed text. An empty text fails and leaves value alone;
// a text that is no decimal number fails and sets 0; a number in (-2147483648, 2147483647]
// succeeds with its integer part (fractions and exponents are read, the value truncated);
// a number outside fails and sets 0.
bool TryStrToInt32(const QString &text, int &value);

// Plays the platform's beep count times.
void BeepTimes(int count);

// Opens a file through the platform: programs (executable files, or names found on PATH)
// are started with the arguments split as a shell would, without a shell; other files and
// folders are handed to the desktop. Returns a result code (> 32 success: 2 missing file,
// 3 missing folder, 5 access denied, 11 not startable, 31 no association) and shows the
// German error box for a failure that has one. showState is accepted for the callers' sake;
// window show states do not exist here.
int ExecuteFile(const QString &file, const QString &arguments, const QString &workingDir,
                int showState = 1);
// The text of ExecuteFile's error box for a result code, or the empty text when that code
// shows no box (success, or a missing file that is not named .exe/.com).
QString ExecuteFileErrorText(int code, const QString &file);
// The COMSPEC environment variable on Windows, $SHELL elsewhere; empty when not set.
QString GetComSpec();

// Sets one key=value entry of an INI file, keeping every other byte of the file. When it
// cannot be written, returns the problem "In %s kann nicht geschrieben werden" with its
// reason and leaves the file as it was.
StoreProblem WriteIniString(const QString &file, const QString &section, const QString &key,
                            const QString &value);

// Typed access to the per-user settings store (keys are paths below the user's root,
// e.g. "\SOFTWARE\QUENDAL\QUILL\Editor"). Reads never fail: failures give the default.
QString ReadRegString(const QString &keyPath, const QString &valueName,
                      const QString &defaultValue);
int ReadRegInteger(const QString &keyPath, const QString &valueName, int defaultValue);
bool ReadRegBool(const QString &keyPath, const QString &valueName, bool defaultValue);
// Writes create the key when missing; a failed write of the value throws QuillError
// "Fehler beim Setzen der Daten für '%s'".
void WriteRegInteger(const QString &keyPath, const QString &valueName, int value);
void WriteRegBool(const QString &keyPath, const QString &valueName, bool value);
void WriteRegString(const QString &keyPath, const QString &valueName, const QString &value);

// Whether two names name the same file: the names compared as the platform's file system
// compares them, both made absolute and clean first (exactly on Linux, without regard to
// case on Windows), or, for an existing file, the file itself, so a link or another path
// to it counts as the same file.
bool SameFileName(const QString &a, const QString &b);
