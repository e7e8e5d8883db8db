#pragma once

#include <QList>
#include <QString>

// The short German sentences that explain the compiler's most frequent messages to a
// learner, read from a plain text table a teacher can edit. Each line of the table is a
// pattern of the message's first line, "=>", and the sentence:
//
//     cannot find symbol => Dieser Name ist hier nicht bekannt.
//     method * cannot be applied to given types => ...
//
// In a pattern "*" stands for any text; the pattern covers the whole first line unless it
// ends in "*". Blank lines and lines starting with "#" are left out, and so is any line
// without "=>" or with an empty side. The first pattern that matches decides.
class CheckExplanations {
public:
    // The table of the text (see above).
    static CheckExplanations FromText(const QString &text);
    // The table of the file (UTF-8); an empty one when it is missing or cannot be read.
    static CheckExplanations FromFile(const QString &fileName);

    // The sentence for the compiler's message (only its first line counts), "" for none.
    QString Explain(const QString &message) const;
    // The number of usable lines.
    int Count() const { return int(m_rows.size()); }

private:
    struct Row {
        QString pattern;
        QString sentence;
    };
    QList<Row> m_rows;
};

// The file name of the table beside the program.
QString CheckExplanationsFileName();
