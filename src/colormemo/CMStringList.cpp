#include "CMStringList.h"

QStringList SplitTextLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start).toString());
            ++i;
            if (c == u'\r' && i < n && text[i] == u'\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

QString TCMStringList::Text() const {
    QString text;
    for (const QString &line : *this) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void TCMStringList::SetText(QStringView text) {
    QStringList::operator=(SplitTextLines(text));
}

QString TCMStringList::CommaText() const {
    if (size() == 1 && first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(size());
    for (const QString &line : *this) {
        bool quote = false;
        for (QChar c : line) {
            if (c.unicode() <= 32 || c == u',' || c == u'"') {
                quote = true;
                break;
            }
        }
        if (quote) {
            QString quoted = line;
            quoted.replace(u'"', QStringLiteral("\"\""));
            parts.append(u'"' + quoted + u'"');
        } else {
            parts.append(line);
        }
    }
    return parts.join(u',');
}
