#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One block of the class reference: a class and its member lines.
struct JavaClassEntry {
    QString shortName;   // the class line after its last dot (the whole line without a dot)
    QString fullName;    // the class line
    QStringList members; // the member lines in file order, unchanged
};

// The content of the class reference file "javaklassen.txt": blocks of a class line, member
// lines and a line "xxxx". The last block may end at the end of the file without "xxxx"; a
// class line that is the very last line names a class without an entry.
class JavaClassList {
public:
    // Reads the blocks of a text whose lines end in '\n' (a break at the very end does not
    // add an empty line). Lines are taken as they are; a blank line where a class line is
    // due is skipped.
    static JavaClassList fromText(const QString &text);
    // Reads a file in UTF-8 or Windows-1252 with LF, CR LF or CR breaks. On failure returns
    // false with a German message in `error` and leaves `result` alone.
    static bool load(const QString &fileName, JavaClassList &result, QString &error);

    // The class entries in file order.
    const QList<JavaClassEntry> &entries() const { return m_entries; }
    // The short name of every class line in file order, also of one without an entry.
    const QStringList &shortNames() const { return m_shortNames; }
    // The short names in the order the class chooser lists them: alphabetically without
    // regard to case, then by case; equal names stay in file order.
    QStringList sortedShortNames() const;
    // The first entry in file order whose short name is exactly `shortName`; nullptr if none.
    const JavaClassEntry *find(const QString &shortName) const;

    // The text shown for a class: short name, full name, a blank line, then every member
    // line that passes the filter, each ending in '\n'. The filter text is trimmed and
    // upper-cased; an empty one passes every line.
    static QString displayText(const JavaClassEntry &entry, const QString &filterText);
    // True when the upper-cased line holds "." directly followed by `upperFilter`; always
    // true for an empty filter.
    static bool memberMatches(const QString &member, const QString &upperFilter);

private:
    QList<JavaClassEntry> m_entries;
    QStringList m_shortNames;
};
