#pragma once

#include <QString>

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
