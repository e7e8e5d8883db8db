#pragma once

#include "DebugEngine.h"

#include <QString>

// The texts and file names the debugger shows, from what the engine reports.

// The status bar's text for a stop at `line` (from 1): "Angehalten in Zeile n", or for an
// uncaught exception "Ausnahme: <class>: <message>".
QString DebugStatusText(const DebugStop &stop, int line);

// One entry of the call stack: "method (Datei.java:Zeile)", "method (Klasse)" for a frame
// without source information.
QString DebugFrameText(const DebugFrame &frame);

// The source file of a frame: the file `sourceName` in `folder` (the main file's folder),
// made absolute, when it exists there; "" otherwise (a library class, a name with a path).
QString DebugSourceFile(const QString &folder, const QString &sourceName);
