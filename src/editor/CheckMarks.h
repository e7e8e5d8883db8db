#pragma once

#include "javarun/CompilerMessage.h"
#include "javarun/LiveCheckProtocol.h"

#include <QList>
#include <QString>
#include <QTextCursor>

class CheckExplanations;
class LineMarks;
class QTextDocument;

// The compiler's messages on a document as the learner sees them while typing: each one an
// error or warning mark in the gutter and a range of the text that is underlined. The
// ranges are cursors on the document, so they move with edits made after the check.
//
// The marks of a check replace every error and warning mark of the document (also those a
// click in the error panel set); breakpoints and the current line are never touched.
class CheckMarks {
public:
    struct Mark {
        DiagnosticKind kind = DiagnosticKind::Error;
        QString message;     // the compiler's text
        QString explanation; // the German sentence for it, "" for none
        QTextCursor range;   // the underlined characters (may have become empty)
    };

    CheckMarks(QTextDocument &document, LineMarks &lines);

    // Replaces the marks with those of the messages (places in the document as it is now).
    void Show(const QList<CheckedMessage> &messages, const CheckExplanations *explanations);
    // Takes every mark of the checks off, the gutter's error and warning marks too.
    void Clear();

    const QList<Mark> &Marks() const { return m_marks; }
    bool IsEmpty() const { return m_marks.isEmpty(); }
    // The mark whose range holds the position (an error before a warning), or nullptr.
    const Mark *At(int position) const;
    // The first mark on the line (from 0), an error before a warning, or nullptr.
    const Mark *OnLine(int line) const;

private:
    QTextDocument &m_document;
    LineMarks &m_lines;
    QList<Mark> m_marks;
};

// The characters of the document a message covers, as [start, end): from its start to its
// end place; a message with only a place covers the word or sign there (or the word just
// before it, or one character), one without a column the line's text without its indentation.
// Places beyond the text are clipped to it.
struct CheckSpan {
    int start = 0;
    int end = 0;
    bool operator==(const CheckSpan &) const = default;
};
CheckSpan CheckSpanOf(const QTextDocument &document, const CheckedMessage &message);

// The messages of an F8 compile that concern fileName, as a check would give them (a place
// only, so the word there is covered).
QList<CheckedMessage> CompileMessagesFor(const QList<Diagnostic> &diagnostics,
                                         const QString &fileName);

// The tool tip of a mark: the compiler's text, then the explanation on a line of its own.
QString CheckMarkTip(const QString &message, const QString &explanation);
// The status bar's text on a marked line: "Fehler: " or "Warnung: ", the message's first
// line, then the explanation.
QString CheckMarkStatus(DiagnosticKind kind, const QString &message, const QString &explanation);
