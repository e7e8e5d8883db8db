#include "EditCommands.h"

#include "common/Helpers.h"

#include <algorithm>

namespace EditCommands {

QString CaretText(int line, int column) {
    return QStringLiteral("Zeile: %1  Spalte: %2").arg(line + 1).arg(column + 1);
}

int LineCount(int blockCount, int lastBlockLength) {
    return lastBlockLength == 0 ? std::max(0, blockCount - 1) : blockCount;
}

BlockResult BlockLeft(const QStringList &lines, Selection selection) {
    BlockResult result{lines, selection};
    for (QString &line : result.lines) {
        if (line.startsWith(QLatin1Char(' ')))
            line.remove(0, 1);
        --result.selection.length;
    }
    return result;
}

BlockResult BlockRight(const QStringList &lines, Selection selection) {
    BlockResult result{lines, selection};
    for (QString &line : result.lines) {
        line.prepend(QLatin1Char(' '));
        ++result.selection.length;
    }
    return result;
}

std::optional<TextEdit> DeleteLine(int lineStart, int lineLength, bool hasBreak, bool isLine) {
    if (!isLine)
        return std::nullopt;
    return TextEdit{lineStart, lineLength + (hasBreak ? 1 : 0), {}};
}

std::optional<TextEdit> DeleteToLineEnd(int caret, int lineStart, int lineLength) {
    const int lineEnd = lineStart + lineLength;
    if (caret <= 0 || caret >= lineEnd)
        return std::nullopt;
    return TextEdit{caret, lineEnd - caret, {}};
}

std::optional<int> GoToLine(const QString &answer, int lineCount) {
    int number = 0;
    if (answer.isEmpty() || !TryStrToInt32(answer, number) || number > lineCount)
        return std::nullopt;
    return std::max(number, 1) - 1;
}

} // namespace EditCommands
