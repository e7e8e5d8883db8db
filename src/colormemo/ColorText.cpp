#include "ColorText.h"

#include "common/Helpers.h"

#include <array>

namespace {

QStringView TrimmedView(QStringView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && IsBlankOrControl(text[from]))
        ++from;
    while (to > from && IsBlankOrControl(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}

struct NamedColor {
    const char16_t *name;
    TColor color;
};

// Compared in this order; the first match wins.
constexpr std::array<NamedColor, 16> kColorNames{{
    {u"BLACK", 0x00000000},
    {u"MAROON", 0x00000080},
    {u"GREEN", 0x00008000},
    {u"OLIVE", 0x00008080},
    {u"NAVY", 0x00800000},
    {u"PURPLE", 0x00800080},
    {u"TEAL", 0x00808000},
    {u"GRAY", 0x00808080},
    {u"SILVER", 0x00C0C0C0},
    {u"RED", 0x000000FF},
    {u"LIME", 0x0000FF00},
    {u"YELLOW", 0x0000FFFF},
    {u"BLUE", 0x00FF0000},
    {u"FUCHSIA", 0x00FF00FF},
    {u"AQUA", 0x00FFFF00},
    {u"WHITE", 0x00FFFFFF},
}};

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// Reads a 32-bit integer the way the colour fields have always been read: leading blanks,
// an optional sign, then either "$" and up to 8 hexadecimal digits or decimal digits within
// the signed 32-bit range. Nothing may follow.
bool ReadInteger(QStringView text, quint32 &result) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    quint64 value = 0;
    if (i < n && text[i] == u'$') {
        ++i;
        if (i == n)
            return false;
        for (; i < n; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0 || value > 0x0FFFFFFFu)
                return false;
            value = value * 16 + quint64(d);
        }
    } else {
        if (i == n)
            return false;
        for (; i < n; ++i) {
            const char16_t u = text[i].unicode();
            if (u < '0' || u > '9')
                return false;
            value = value * 10 + quint64(u - '0');
            if (value > 0x80000000u)
                return false;
        }
        if (value == 0x80000000u && !negative)
            return false;
    }
    result = negative ? quint32(0u - quint32(value)) : quint32(value);
    return true;
}

} // namespace

TColor ParseColorText(QStringView text) {
    const QStringView trimmed = TrimmedView(text);
    // At most the first 10 characters, upper-cased.
    QChar upper[10];
    qsizetype length = 0;
    for (qsizetype i = 0; i < trimmed.size() && length < 10; ++i)
        upper[length++] = upperChar(trimmed[i]);
    QStringView rest(upper, length);
    if (rest.startsWith(u"CL"))
        rest = rest.mid(2);

    for (const NamedColor &named : kColorNames) {
        if (rest == QStringView(named.name))
            return named.color;
    }

    // Without the first "#"; a "$" anywhere means the text is read as an integer as it
    // stands, otherwise it is taken as bare hexadecimal digits.
    QChar number[11];
    qsizetype numberLength = 0;
    bool hashRemoved = false;
    bool hasDollar = false;
    number[numberLength++] = u'$';
    for (QChar c : rest) {
        if (c == u'#' && !hashRemoved) {
            hashRemoved = true;
            continue;
        }
        hasDollar = hasDollar || c == u'$';
        number[numberLength++] = c;
    }
    const QStringView numberText =
        hasDollar ? QStringView(number + 1, numberLength - 1) : QStringView(number, numberLength);
    quint32 n = 0;
    if (!ReadInteger(numberText, n))
        return clWhite;
    // 0xRRGGBB to 0x00BBGGRR.
    return (n & 0x00FF00u) + ((n & 0xFFu) << 16) + ((n >> 16) & 0xFFu);
}

qsizetype TFieldSplitter::Split(QStringView line) {
    m_count = 0;
    size_t buffersUsed = 0;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        // Find the end of the field: a ";" that is not doubled, or the end of the line.
        const qsizetype start = i;
        bool escaped = false;
        while (i < n) {
            if (line[i] == u';') {
                if (i + 1 < n && line[i + 1] == u';') {
                    escaped = true;
                    i += 2;
                    continue;
                }
                break;
            }
            ++i;
        }
        const QStringView raw = line.sliced(start, i - start);
        QStringView field;
        if (!escaped) {
            field = TrimmedView(raw);
        } else {
            if (buffersUsed == m_buffers.size())
                m_buffers.emplace_back();
            QString &buffer = m_buffers[buffersUsed++];
            buffer.resize(0); // keeps the capacity
            for (qsizetype k = 0; k < raw.size(); ++k) {
                buffer.append(raw[k]);
                if (raw[k] == u';')
                    ++k; // the second of the pair
            }
            field = TrimmedView(buffer);
        }
        if (!field.isEmpty()) {
            if (size_t(m_count) == m_fields.size())
                m_fields.emplace_back();
            m_fields[size_t(m_count++)] = field;
        }
        if (i >= n)
            break;
        ++i; // past the ";"
        if (i >= n)
            break;
    }
    return m_count;
}

void SplitFields(QStringView line, QStringList &fields) {
    TFieldSplitter splitter;
    const qsizetype count = splitter.Split(line);
    fields.clear();
    for (qsizetype i = 0; i < count; ++i)
        fields.append(splitter.Field(i).toString());
}
