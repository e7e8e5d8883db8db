#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where a line of the error panel points to in a source file.
struct SourcePlace {
    QString fileName; // absolute
    int line = 0;     // from 1
    int column = -1;  // from 0; -1: the whole line
    bool operator==(const SourcePlace &) const = default;
};

// What a compiler message is, as the compiler names it after the place.
enum class DiagnosticKind { Error, Warning, Note };

// One message of the compiler that names a place in a source file.
struct Diagnostic {
    QString fileName; // absolute and clean
    int line = 0;     // from 1
    int column = -1;  // from 0, the column of the marker under the message; -1 without one
    DiagnosticKind kind = DiagnosticKind::Error;
    QString message; // the rest of the message's line after the kind
    // Where the message stands among the lines it was read from: its own line and that of
    // its column marker (-1 without one).
    int messageLine = -1;
    int markerLine = -1;
    bool operator==(const Diagnostic &) const = default;
};

// The messages of a compile as the panel shows it (the `Datei "..."` line first), in their
// order, read with the same rules as SourcePlaceAt: a diagnostic's message line leads to its
// line, its marker line to its column. The kind is the word after the place in the
// compiler's English or German messages; an unknown word counts as an error and stays part
// of the message.
QList<Diagnostic> CompilerDiagnostics(const QStringList &panelLines);

// The place a panel line index leads to among the diagnostics: the whole line for a
// message line, the marker's column for a marker line; nothing for any other line.
std::optional<SourcePlace> DiagnosticPlaceAt(const QList<Diagnostic> &diagnostics, int index);
// The diagnostic whose message or marker stands at the panel line, or nullptr.
const Diagnostic *DiagnosticAt(const QList<Diagnostic> &diagnostics, int index);

// The place a panel line names, as the compiler writes its messages: "<file>.java:<line>: ..."
// (the file with or without a folder, relative to the folder of the file named in the
// panel's first line, `Datei "..."`), or the column marker line ("   ^") under such a
// message, which adds the marker's column. A line of a Java stack trace leads to the first
// frame in one of the learner's own files (StackTrace.h); `openFiles` are the full names
// of the open windows' files. Nothing for any other line.
std::optional<SourcePlace> SourcePlaceAt(const QStringList &panelLines, int index,
                                         const QStringList &openFiles = {});
