#pragma once

#include <QStringList>
#include <QStringView>

// The entry lists of a colour rule: an ordinary ordered list of lines. It is a class of its
// own so the three list properties have a distinct type; lines can be edited in place.
class TCMStringList : public QStringList {
public:
    using QStringList::QStringList;
    TCMStringList() = default;
    TCMStringList(const QStringList &lines) : QStringList(lines) {}

    // All lines, each ended by carriage return + line feed.
    QString Text() const;
    // Replaces the lines with those of the text, which may break lines with CR LF, LF or CR;
    // a break at the very end does not add an empty line.
    void SetText(QStringView text);
    // The lines joined by commas, each quoted with double quotes when it holds a blank, a
    // control character, a comma or a double quote.
    QString CommaText() const;
};

// Splits a text into lines as TCMStringList::SetText does.
QStringList SplitTextLines(QStringView text);
