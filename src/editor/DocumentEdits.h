#pragma once

#include "editor/AutoIndent.h"

#include <QString>

#include <vector>

class QTextCursor;
class QTextDocument;

// Replaces the ranges [p, p + length) at the given ascending positions by one text, as one
// edit of the document (one undo step, one relayout), whatever their number.
void ReplaceRanges(QTextDocument &document, const std::vector<qsizetype> &positions,
                   qsizetype length, const QString &replacement);

// What Enter with indentation does at the cursor, its selection replaced.
AutoIndent::Enter PlanEnter(const QTextCursor &cursor, QStringView step);
// Carries out a planned Enter as one edit; the cursor ends at the planned caret.
void ApplyEnter(QTextCursor &cursor, const AutoIndent::Enter &plan);

// How many blanks before the cursor typing `}` there takes away (0 with a selection).
int PlanCloseBrace(const QTextCursor &cursor, QStringView step);
// Types `}` at the cursor, `dedent` blanks before it removed, as one edit.
void ApplyCloseBrace(QTextCursor &cursor, int dedent);

// Comments the lines of the cursor's selection (or its line) out, or in when all are, as
// one edit; the cursor afterwards selects the same lines, or keeps its place in the line.
void ToggleLineComments(QTextCursor &cursor);
