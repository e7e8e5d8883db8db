#include "KonsoleTranscript.h"

void KonsoleTranscript::Append(KonsoleText kind, const QString &text) {
    if (text.isEmpty())
        return;
    if (!m_pieces.isEmpty() && m_pieces.last().kind == kind)
        m_pieces.last().text += text;
    else
        m_pieces.append({kind, text});
}

void KonsoleTranscript::AppendLine(KonsoleText kind, const QString &text) {
    QString line = text;
    if (!EndsLine())
        line.prepend(u'\n');
    if (!line.endsWith(u'\n'))
        line.append(u'\n');
    Append(kind, line);
}

void KonsoleTranscript::Clear() {
    m_pieces.clear();
}

QString KonsoleTranscript::Text() const {
    QString text;
    for (const Piece &piece : m_pieces)
        text += piece.text;
    return text;
}

bool KonsoleTranscript::EndsLine() const {
    return m_pieces.isEmpty() || m_pieces.last().text.endsWith(u'\n');
}
