#include "ShellWords.h"

namespace {

// On Windows the backslash separates path parts, so it stays an ordinary character there.
#ifdef Q_OS_WIN
constexpr bool BackslashEscapes = false;
#else
constexpr bool BackslashEscapes = true;
#endif

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

QStringList SplitShellWords(const QString &text) {
    QStringList words;
    QString word;
    bool inWord = false; // a quote pair alone still makes a (possibly empty) word
    enum class Quote { None, Single, Double } quote = Quote::None;

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (quote) {
        case Quote::Single:
            if (c == u'\'')
                quote = Quote::None;
            else
                word += c;
            break;
        case Quote::Double:
            if (c == u'"') {
                quote = Quote::None;
            } else if (c == u'\\' && i + 1 < text.size() &&
                       QStringView(u"\"\\$`").contains(text.at(i + 1))) {
                word += text.at(++i);
            } else {
                word += c;
            }
            break;
        case Quote::None:
            if (IsBlank(c)) {
                if (inWord)
                    words << word;
                word.clear();
                inWord = false;
            } else if (c == u'\'') {
                quote = Quote::Single;
                inWord = true;
            } else if (c == u'"') {
                quote = Quote::Double;
                inWord = true;
            } else if (c == u'\\' && BackslashEscapes) {
                inWord = true;
                if (i + 1 < text.size())
                    word += text.at(++i);
            } else {
                word += c;
                inWord = true;
            }
            break;
        }
    }
    if (inWord)
        words << word;
    return words;
}
