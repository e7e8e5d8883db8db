#pragma once

#include <QString>

// Free helper functions used by every part of the program. None keeps state between calls.

// Message boxes with an OK button only, owned by the main window.
void ShowWarningBox(const QString &caption, const QString &text);
void ShowErrorBox(const QString &caption, const QString &text);

// Modal one-line input box; the text when confirmed, the empty text when cancelled.
QString InputText(const QString &prompt, const QString &caption, const QString &defaultText);

// Removes characters up to and including the blank (code 32 and below) at both ends.
QString TrimBlanksAndControls(const QString &text);
// Upper-cases one character with the simple mapping, so a text's length never changes ("ß"
// stays "ß"). Scanners call it for every character, so ASCII takes a short path.
inline QChar upperChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 128)
        return u >= u'a' && u <= u'z' ? QChar(char16_t(u - 32)) : c;
    return c.toUpper();
}
// Upper-cases character by character with upperChar; for comparing and searching.
QString UpperCaseChars(const QString &text);
// Reads a 32-bit integer from a trimmed text. An empty text fails and leaves value alone;
// a text that is no decimal number fails and sets 0; a number in (-2147483648, 2147483647]
// succeeds with its integer part (fractions and exponents are read, the value truncated);
// a number outside fails and sets 0.
bool TryStrToInt32(const QString &text, int &value);

// Plays the platform's beep count times.
void BeepTimes(int count);

// The COMSPEC environment variable on Windows, $SHELL elsewhere; empty when not set.
QString GetComSpec();

// Whether two names name the same file: the names compared as the platform's file system
// compares them, both made absolute and clean first (exactly on Linux, without regard to
// case on Windows), or, for an existing file, the file itself, so a link or another path
// to it counts as the same file.
bool SameFileName(const QString &a, const QString &b);
