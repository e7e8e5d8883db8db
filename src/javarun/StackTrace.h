#pragma once

#include "CompilerMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

// The place a line of a Java stack trace in the error panel leads to. For a frame line
// ("\tat Rechner.main(Rechner.java:6)") or the line that starts a trace ("Exception in
// thread "main" ...", "Caused by: ...", or any line directly followed by frames), the first
// frame from there on, within the same trace, that names one of the learner's own files:
// a file of the class's package below `folder` (the compiled file's folder), or one of
// `openFiles` (full names). Library frames are passed over. Nothing for any other line.
std::optional<SourcePlace> StackTracePlace(const QStringList &panelLines, int index,
                                           const QString &folder, const QStringList &openFiles);
