// The search through the window's copy of its text against a plain scan of the whole text:
// texts with line breaks, umlauts and characters outside the BMP, long enough to be held in
// several pieces, changed by random edits, undo and redo through the document. Every match
// must be found in both directions and with both case settings.

#include "FuzzCheck.h"

#include "editor/DocumentMirror.h"
#include "editor/SearchLogic.h"
#include "editor/TextSearch.h"
#include "TextSourceText.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <vector>

namespace {

// Few distinct characters, so that matches are frequent; some fold to others.
const std::array<QString, 16> Tokens = {QStringLiteral("a"),
                                        QStringLiteral("A"),
                                        QStringLiteral("b"),
                                        QStringLiteral("B"),
                                        QStringLiteral("\u00e4"),
                                        QStringLiteral("\u00c4"),
                                        QStringLiteral("\u00df"),
                                        QStringLiteral("\u1e9e"),
                                        QStringLiteral("\n"),
                                        QStringLiteral(" "),
                                        QStringLiteral("\u00ff"),
                                        QStringLiteral("\u0178"),
                                        QString::fromUtf16(u"\U00010400"),
                                        QString::fromUtf16(u"\U00010428"),
                                        QString::fromUtf16(u"\U0001F600"),
                                        QStringLiteral("ab\n")};

// A document tells its changes only once it has a layout; this one lays out nothing, so no
// fonts or window system are needed.
class NoLayout : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter *, const PaintContext &) override {}
    int hitTest(const QPointF &, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame *) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock &) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

QString ConsumeTokens(FuzzedDataProvider &input, int maxTokens) {
    QString text;
    for (int n = input.ConsumeIntegralInRange(1, maxTokens); n > 0; --n)
        text += Tokens[input.ConsumeIntegral<uint8_t>() % Tokens.size()];
    return text;
}

// Simple upper-case mapping of one code unit, surrogates unchanged.
char16_t Upper(char16_t c) {
    const char32_t upper = QChar::toUpper(char32_t(c));
    return upper < 0x10000 ? char16_t(upper) : c;
}

// Every start of the pattern in the text, each position compared on its own.
std::vector<qsizetype> AllMatches(const QString &text, const QString &pattern, bool matchCase) {
    std::vector<qsizetype> found;
    for (qsizetype p = 0; p + pattern.size() <= text.size(); ++p) {
        qsizetype k = 0;
        while (k < pattern.size() &&
               (matchCase ? text[p + k] == pattern[k]
                          : Upper(text[p + k].unicode()) == Upper(pattern[k].unicode())))
            ++k;
        if (k == pattern.size())
            found.push_back(p);
    }
    return found;
}

// Says where a search went wrong, with the pieces of the copy, so a finding can be told
// apart from another at a glance.
void ReportMismatch(const TextSource &source, const QString &pattern, bool matchCase,
                    const char *direction, qsizetype from, qsizetype expected, qsizetype found) {
    QString pieces;
    for (int i = 0; i < source.PieceCount() && i < 40; ++i)
        pieces += QStringLiteral(" %1+%2")
                      .arg(source.PieceAt(i).Start)
                      .arg(source.PieceAt(i).Text.size());
    std::fprintf(
        stderr,
        "mismatch: search %s from %lld for %lld characters (match case %d): expected %lld, "
        "found %lld; text of %lld characters in pieces (start+length):%s\n",
        direction, qlonglong(from), qlonglong(pattern.size()), int(matchCase), qlonglong(expected),
        qlonglong(found), qlonglong(source.Length()), qPrintable(pieces));
}

#define SEARCH_CHECK(direction, from, expected, found)                                             \
    do {                                                                                           \
        const qsizetype result = (found);                                                          \
        if (result != (expected))                                                                  \
            ReportMismatch(source, pattern, matchCase, direction, from, expected, result);         \
        FUZZ_CHECK(result == (expected));                                                          \
    } while (0)

// Every match from the start and from the end; and with `caret` >= 0 from there as the find
// dialog searches (that prepares the search text again, which costs more than a search).
void CheckSearch(const QTextDocument &document, DocumentMirror &mirror, const QString &pattern,
                 qsizetype caret) {
    const QString text = DocumentText(document);
    const TextSource &source = mirror.Source();
    FUZZ_CHECK(source.Length() == text.size());
    for (const bool matchCase : {false, true}) {
        const SearchPattern prepared(pattern, matchCase);
        const std::vector<qsizetype> matches = AllMatches(text, pattern, matchCase);
        qsizetype from = 0;
        for (const qsizetype match : matches) {
            SEARCH_CHECK("forward", from, match, FindForward(source, prepared, from));
            from = match + 1;
        }
        SEARCH_CHECK("forward", from, -1, FindForward(source, prepared, from));
        qsizetype lastStart = text.size();
        for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
            SEARCH_CHECK("backward", lastStart, *match, FindBackward(source, prepared, lastStart));
            lastStart = *match - 1;
        }
        SEARCH_CHECK("backward", lastStart, -1, FindBackward(source, prepared, lastStart));

        if (caret < 0)
            continue;
        caret = std::min<qsizetype>(caret, text.size());
        const auto next = std::lower_bound(matches.begin(), matches.end(), caret + 1);
        const SearchOutcome down = SearchFromCaret(source, caret, {pattern, matchCase, true});
        FUZZ_CHECK(down.Found == (next != matches.end()));
        FUZZ_CHECK(!down.Found || down.Position == *next);
        const auto after = std::upper_bound(matches.begin(), matches.end(), caret - 1);
        const SearchOutcome up = SearchFromCaret(source, caret, {pattern, matchCase, false});
        FUZZ_CHECK(up.Found == (after != matches.begin()));
        FUZZ_CHECK(!up.Found || up.Position == *std::prev(after));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    // A piece of text repeated to the chosen length: long texts, yet small inputs.
    const QString fragment = ConsumeTokens(input, 24);
    const int length = input.ConsumeIntegralInRange(0, 14000);
    QString text = fragment;
    while (text.size() < length)
        text += fragment;
    QString pattern = ConsumeTokens(input, 6);

    QTextDocument document;
    document.setDocumentLayout(new NoLayout(&document));
    document.setPlainText(text);
    DocumentMirror mirror(document);
    CheckSearch(document, mirror, pattern, 0);

    for (int step = 0; step < 48 && input.remaining_bytes() > 0; ++step) {
        const int documentLength = document.characterCount() - 1;
        QTextCursor cursor(&document);
        const int from = input.ConsumeIntegralInRange(0, documentLength);
        const int kind = input.ConsumeIntegralInRange(0, 9);
        if (kind < 3) {
            cursor.setPosition(from);
            cursor.insertText(ConsumeTokens(input, 12));
        } else if (kind < 6) {
            cursor.setPosition(from);
            cursor.setPosition(
                std::min(documentLength, from + input.ConsumeIntegralInRange(1, 700)),
                QTextCursor::KeepAnchor);
            if (kind == 5)
                cursor.insertText(ConsumeTokens(input, 8));
            else
                cursor.removeSelectedText();
        } else if (kind == 6) {
            document.undo();
        } else if (kind == 7) {
            document.redo();
        } else {
            // Searching is checked where the input asks (the search is dear to check), the
            // copy's text after every edit.
            if (kind == 8)
                pattern = ConsumeTokens(input, 6);
            CheckSearch(document, mirror, pattern, kind == 9 ? from : -1);
        }
        FUZZ_CHECK(Joined(mirror.Source()) == DocumentText(document));
    }
    CheckSearch(document, mirror, pattern, (document.characterCount() - 1) / 2);
    return 0;
}
