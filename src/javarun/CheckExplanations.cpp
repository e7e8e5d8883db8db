#include "CheckExplanations.h"

#include <QFile>

namespace {

// Whether the text matches the pattern, "*" standing for any text (also none).
bool Matches(QStringView pattern, QStringView text) {
    qsizetype p = 0;
    qsizetype t = 0;
    qsizetype starAt = -1; // the pattern after the last "*", and where its text started
    qsizetype starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = ++p;
            starText = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starAt >= 0) {
            p = starAt;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

CheckExplanations CheckExplanations::FromText(const QString &text) {
    CheckExplanations table;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype arrow = line.indexOf(u"=>");
        if (arrow < 0)
            continue;
        const QString pattern = line.left(arrow).trimmed().toString();
        const QString sentence = line.mid(arrow + 2).trimmed().toString();
        if (pattern.isEmpty() || sentence.isEmpty())
            continue;
        table.m_rows.append({pattern, sentence});
    }
    return table;
}

CheckExplanations CheckExplanations::FromFile(const QString &fileName) {
    QFile file(fileName);
    // A table far beyond a page of sentences is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024)
        return CheckExplanations();
    return FromText(QString::fromUtf8(file.readAll()));
}

QString CheckExplanations::Explain(const QString &message) const {
    const QStringView first = QStringView(message).left(message.indexOf(u'\n')).trimmed();
    for (const Row &row : m_rows)
        if (Matches(row.pattern, first))
            return row.sentence;
    return QString();
}

QString CheckExplanationsFileName() {
    return QStringLiteral("fehlererklaerungen.txt");
}
