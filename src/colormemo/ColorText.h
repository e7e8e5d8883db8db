#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// A colour as the program stores it: 0x00BBGGRR for a mixed colour (red in the low byte),
// 0xFF0000nn for the system colour number nn.
using TColor = quint32;

inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clWhite = 0x00FFFFFF;

// Reads a colour field of a rule entry: one of the 16 colour names (with or without "cl",
// any case), or a hexadecimal 0xRRGGBB ("#" and "$" forms, or bare hex digits). Anything
// unreadable gives white.
TColor ParseColorText(QStringView text);

// True for the characters that entry fields are trimmed of: blanks and control characters.
inline bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 32;
}

// Splits an entry line into its fields: ";" separates fields, ";;" stands for a literal ";",
// every field is trimmed of blanks and control characters, empty fields are dropped.
// The result replaces the contents of `fields`.
void SplitFields(QStringView line, QStringList &fields);

// The same splitting without copies: fields are views into the line, except those holding a
// literal ";", which are unescaped into reused buffers. Fields stay valid until the next
// Split and while the line itself is unchanged.
class TFieldSplitter {
public:
    // Splits the line; returns the number of fields.
    qsizetype Split(QStringView line);
    qsizetype Count() const { return m_count; }
    QStringView Field(qsizetype index) const { return m_fields[size_t(index)]; }

private:
    std::vector<QStringView> m_fields;
    std::vector<QString> m_buffers; // unescaped fields
    qsizetype m_count = 0;
};
