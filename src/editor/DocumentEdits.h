#pragma once

#include <QString>

#include <vector>

class QTextDocument;

// Replaces the ranges [p, p + length) at the given ascending positions by one text, as one
// edit of the document (one undo step, one relayout), whatever their number.
void ReplaceRanges(QTextDocument &document, const std::vector<qsizetype> &positions,
                   qsizetype length, const QString &replacement);
