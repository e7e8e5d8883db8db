#include "TextChunks.h"

#include <algorithm>

int TextChunks::pieceAt(int position, int &pieceStart) const {
    const int count = int(m_pieces.size());
    if (count == 0) {
        pieceStart = 0;
        return -1;
    }
    // Edits and reads come in runs at one place: the walk starts at the piece found last.
    int i = std::clamp(m_hint, 0, count - 1);
    pieceStart = m_hint == i ? m_hintStart : 0;
    if (m_hint != i)
        i = 0;
    while (i > 0 && position < pieceStart) {
        --i;
        pieceStart -= int(m_pieces[size_t(i)].size());
    }
    while (i < count - 1 && position >= pieceStart + int(m_pieces[size_t(i)].size())) {
        pieceStart += int(m_pieces[size_t(i)].size());
        ++i;
    }
    m_hint = i;
    m_hintStart = pieceStart;
    return i;
}

QString TextChunks::mid(int position, int count) const {
    position = std::clamp(position, 0, m_length);
    count = std::clamp(count, 0, m_length - position);
    QString result;
    if (count == 0)
        return result;
    result.reserve(count);
    int pieceStart = 0;
    for (int i = pieceAt(position, pieceStart); count > 0; ++i) {
        const QString &piece = m_pieces[size_t(i)];
        const int from = position - pieceStart;
        const int take = std::min(count, int(piece.size()) - from);
        result.append(QStringView(piece).mid(from, take));
        position += take;
        count -= take;
        pieceStart += int(piece.size());
    }
    return result;
}

void TextChunks::split(const QString &text, std::vector<QString> &out) const {
    for (qsizetype from = 0; from < text.size(); from += m_pieceSize)
        out.push_back(text.mid(from, m_pieceSize));
}

void TextChunks::assign(const QString &text) {
    m_hint = 0;
    m_hintStart = 0;
    m_pieces.clear();
    split(text, m_pieces);
    m_length = int(text.size());
}

void TextChunks::replace(int position, int count, const QString &text) {
    position = std::clamp(position, 0, m_length);
    count = std::clamp(count, 0, m_length - position);
    if (m_pieces.empty()) {
        assign(text);
        return;
    }
    int firstStart = 0;
    const int first = pieceAt(position, firstStart);
    int lastStart = firstStart;
    int last = first;
    while (position + count > lastStart + int(m_pieces[size_t(last)].size()) &&
           last + 1 < int(m_pieces.size())) {
        lastStart += int(m_pieces[size_t(last)].size());
        ++last;
    }
    const QString &lastPiece = m_pieces[size_t(last)];
    QString joined = QStringView(m_pieces[size_t(first)]).left(position - firstStart).toString();
    joined += text;
    joined += QStringView(lastPiece).mid(position + count - lastStart);

    m_length += int(text.size()) - count;
    // Pieces before `first` keep their places.
    m_hint = first;
    m_hintStart = firstStart;
    if (first == last && joined.size() < 2 * m_pieceSize &&
        (!joined.isEmpty() || m_pieces.size() == 1)) {
        m_pieces[size_t(first)] = std::move(joined); // the usual edit: one piece changes
        return;
    }
    std::vector<QString> replacement;
    if (joined.size() < 2 * m_pieceSize)
        replacement.push_back(std::move(joined));
    else
        split(joined, replacement);
    auto begin = m_pieces.begin() + first;
    m_pieces.erase(begin, m_pieces.begin() + last + 1);
    m_pieces.insert(m_pieces.begin() + first, std::make_move_iterator(replacement.begin()),
                    std::make_move_iterator(replacement.end()));
    if (m_pieces.size() > 1)
        std::erase_if(m_pieces, [](const QString &piece) { return piece.isEmpty(); });
}

qsizetype TextChunks::bytes() const {
    qsizetype total = qsizetype(m_pieces.capacity() * sizeof(QString));
    for (const QString &piece : m_pieces)
        total += piece.capacity() * qsizetype(sizeof(QChar));
    return total;
}
