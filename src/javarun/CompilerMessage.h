#pragma once

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

// The place a panel line names, as the compiler writes its messages: "<file>.java:<line>: ..."
// (the file with or without a folder, relative to the folder of the file named in the
// panel's first line, `Datei "..."`), or the column marker line ("   ^") under such a
// message, which adds the marker's column. A line of a Java stack trace leads to the first
// frame in one of the learner's own files (StackTrace.h); `openFiles` are the full names
// of the open windows' files. Nothing for any other line.
std::optional<SourcePlace> SourcePlaceAt(const QStringList &panelLines, int index,
                                         const QStringList &openFiles = {});
