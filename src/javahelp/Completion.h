#pragma once

#include "CompletionIndex.h"

#include <QList>
#include <QString>

// One entry of the completion list.
struct CompletionCandidate {
    QString text;      // what the list shows and what replaces the typed word
    QString signature; // shown beside it: a member's signature, a class's full name
    bool isMethod = false;
    bool takesParameters = false;
};

// What completion offers at a caret.
struct CompletionResult {
    qsizetype wordStart = 0; // where the typed word before the caret begins
    QString prefix;          // the typed word (may be empty)
    bool members = false;    // the candidates are members of `className`
    QString className;
    QList<CompletionCandidate> candidates;
};

namespace Completion {

// The candidates for the word before `caret` in `text`. After "Name." where Name is a class
// of the index, a variable, parameter or field declared in the text with such a type, or a
// chain of fields ("System.out."), the members of that class; otherwise Java keywords, the
// classes of the index and the identifiers of the text (strings and comments left out). In
// both cases only names starting with the typed word ignoring case; those that start with it
// exactly come first, each group in alphabetical order.
CompletionResult candidatesAt(const QString &text, qsizetype caret, const CompletionIndex &index);

// Narrows a list to the names starting with `prefix` (ignoring case), exact starts first; the
// order within each group is kept.
QList<CompletionCandidate> narrowed(const QList<CompletionCandidate> &candidates,
                                    const QString &prefix);

// The text an inserted candidate puts in place of the typed word, and where the caret goes
// within it: a method gets "()" with the caret inside when it takes parameters, after
// otherwise.
struct Insertion {
    QString text;
    qsizetype caretOffset = 0;
};
Insertion insertionFor(const CompletionCandidate &candidate);

// The Java keywords completion offers.
const QStringList &javaKeywords();

} // namespace Completion
