#include "LineMarks.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

LineMarks::LineMarks(QTextDocument &document) : m_document(document) {}

void LineMarks::Cover(Entry &entry, int position) const {
    const QTextBlock block = m_document.findBlock(position);
    const QTextBlock next = block.next();
    entry.lastLine = !next.isValid();
    // The start moves on with text typed before it, the end stays before text typed at the
    // start of the next line: an edit at either edge keeps the line covered.
    entry.start = QTextCursor(&m_document);
    entry.start.setPosition(block.position());
    entry.end = QTextCursor(&m_document);
    entry.end.setKeepPositionOnInsert(true);
    entry.end.setPosition(entry.lastLine ? block.position() + block.length() - 1 : next.position());
}

bool LineMarks::Alive(const Entry &entry) const {
    const int start = entry.start.position();
    const int end = entry.end.position();
    if (start < end)
        return true;
    // An empty last line covers nothing and is still there while it is the empty last line.
    if (start != end || !entry.lastLine)
        return false;
    const QTextBlock block = m_document.findBlock(start);
    return !block.next().isValid() && block.length() == 1 && block.position() == start;
}

void LineMarks::Sort() {
    std::stable_sort(m_marks.begin(), m_marks.end(), [](const Entry &a, const Entry &b) {
        const int la = a.start.blockNumber();
        const int lb = b.start.blockNumber();
        return la != lb ? la < lb : int(a.mark.kind) < int(b.mark.kind);
    });
}

void LineMarks::Set(int line, LineMarkKind kind, const QString &text) {
    const QTextBlock block = m_document.findBlockByNumber(line);
    if (line < 0 || !block.isValid())
        return;
    Remove(line, kind);
    Entry entry;
    entry.mark = {kind, text};
    Cover(entry, block.position());
    m_marks.push_back(std::move(entry));
    Sort();
}

void LineMarks::Remove(int line, LineMarkKind kind) {
    std::erase_if(m_marks, [&](const Entry &entry) {
        return entry.mark.kind == kind && entry.start.blockNumber() == line;
    });
}

void LineMarks::RemoveKind(LineMarkKind kind) {
    std::erase_if(m_marks, [&](const Entry &entry) { return entry.mark.kind == kind; });
}

void LineMarks::RemoveAll() {
    m_marks.clear();
}

QList<LineMark> LineMarks::On(int line) const {
    QList<LineMark> marks;
    for (const Entry &entry : m_marks)
        if (entry.start.blockNumber() == line)
            marks << entry.mark;
    return marks;
}

QList<LineMarkAt> LineMarks::All() const {
    return MarksBetween(0, m_document.blockCount());
}

QList<LineMarkAt> LineMarks::MarksBetween(int first, int last) const {
    QList<LineMarkAt> marks;
    for (const Entry &entry : m_marks) {
        const int line = entry.start.blockNumber();
        if (line >= first && line <= last)
            marks.append({line, entry.mark});
    }
    return marks;
}

void LineMarks::Follow() {
    if (m_marks.empty())
        return;
    std::erase_if(m_marks, [this](const Entry &entry) { return !Alive(entry); });
    for (Entry &entry : m_marks)
        Cover(entry, entry.start.position());
    // Two marks of a kind that came onto one line (their lines were joined): the first stays.
    Sort();
    for (size_t i = 1; i < m_marks.size();) {
        const Entry &a = m_marks[i - 1];
        const Entry &b = m_marks[i];
        if (a.mark.kind == b.mark.kind && a.start.blockNumber() == b.start.blockNumber())
            m_marks.erase(m_marks.begin() + qsizetype(i));
        else
            ++i;
    }
}
