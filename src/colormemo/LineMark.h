#pragma once

#include <QList>
#include <QString>

// What a mark on a line of the text says; the gutter paints each kind in its own way.
enum class LineMarkKind { Error, Warning, Breakpoint, CurrentLine };

// A mark on a line: its kind and the text its tool tip shows.
struct LineMark {
    LineMarkKind kind = LineMarkKind::Error;
    QString text;
    bool operator==(const LineMark &) const = default;
};

// A mark and the line it is on (from 0).
struct LineMarkAt {
    int line = 0;
    LineMark mark;
    bool operator==(const LineMarkAt &) const = default;
};

// The marks a gutter shows, as the document that holds them tells.
class LineMarkSource {
public:
    virtual ~LineMarkSource() = default;
    // The marks on the lines first to last (both included), by line, then by kind.
    virtual QList<LineMarkAt> MarksBetween(int first, int last) const = 0;
};
