#pragma once

#include "RecoveryCopy.h"

#include <QList>
#include <QString>

// The question asked at start about the copies a program that ended without cleaning up
// left behind: the question, then one line per copy with the file's full name ("noname"
// for a document without a file) and, when the file changed on disk after the copy was
// written, the note " (Datei wurde inzwischen geändert)". Lines joined with CR LF.
QString RecoveryQuestion(const QList<OrphanCopy> &copies);

// Whether the file was modified after `written` (false for a missing file).
bool FileChangedSince(const QString &fileName, const QDateTime &written);
