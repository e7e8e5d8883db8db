#include "LineComments.h"

#include <algorithm>

namespace LineComments {

namespace {

qsizetype LeadingBlanks(const QString &line) {
    qsizetype n = 0;
    while (n < line.size() && (line[n] == u' ' || line[n] == u'\t'))
        ++n;
    return n;
}

} // namespace

bool IsCommented(const QString &line) {
    return QStringView(line).mid(LeadingBlanks(line)).startsWith(u"//");
}

QStringList Toggle(const QStringList &lines) {
    const bool allCommented =
        !lines.isEmpty() && std::all_of(lines.begin(), lines.end(), IsCommented);
    QStringList result;
    result.reserve(lines.size());
    for (const QString &line : lines) {
        if (!allCommented) {
            result << QStringLiteral("// ") + line;
            continue;
        }
        const qsizetype at = LeadingBlanks(line);
        const qsizetype marker = line.mid(at + 2, 1) == QLatin1String(" ") ? 3 : 2;
        result << line.left(at) + line.mid(at + marker);
    }
    return result;
}

int ColumnAfter(const QString &before, const QString &after, int column) {
    column = std::clamp(column, 0, int(before.size()));
    if (after.size() > before.size()) // marker added at the start
        return column + int(after.size() - before.size());
    const int at = int(LeadingBlanks(before));
    const int removed = int(before.size() - after.size());
    if (column <= at)
        return column;
    return std::max(at, column - removed);
}

LineRange LinesOf(int startLine, int endLine, int endColumn) {
    if (endLine > startLine && endColumn == 0)
        --endLine;
    return {startLine, endLine};
}

} // namespace LineComments
