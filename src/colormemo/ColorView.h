#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

// What the colouring pass needs to know of the text control it colours. The widget answers
// from its document and layout; tests answer from a fixed character grid. Character indices
// count every line break as one character. The control never wraps lines, so one text line
// is one screen line.
class TCMView {
public:
    virtual ~TCMView() = default;

    // Index of the first line that is (at least partly) visible.
    virtual int FirstVisibleLine() const = 0;
    // Number of lines of the text (an empty text has one empty line).
    virtual int LineCount() const = 0;
    // The line that holds a character index (an index past the text gives the last line).
    virtual int LineFromChar(int index) const = 0;
    // Index of the first character of a line.
    virtual int LineIndex(int line) const = 0;
    // Length of a line without its line break.
    virtual int LineLength(int line) const = 0;
    // Number of characters of the whole text.
    virtual int TextLength() const = 0;
    // Top-left corner of the cell of a character in client coordinates; none for an index
    // outside 0..TextLength(). Lines above the visible ones report a negative y.
    virtual std::optional<QPoint> PosFromChar(int index) const = 0;
    // The character index at a client point, or -1 when the point has no character.
    virtual int CharFromPos(QPoint point) const = 0;
    // The rectangle inside which the text is laid out, in client coordinates.
    virtual QRect TextRect() const = 0;
    // Height of one line in pixels.
    virtual int LineHeight() const = 0;
    // Start and length of the selection (length 0: just the caret).
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    // Whether the control has the keyboard focus, and whether it hides its selection then.
    virtual bool Focused() const = 0;
    virtual bool HideSelection() const = 0;
    // Appends the characters from..to-1 of the text, line breaks as '\n', to `into`.
    virtual void AppendText(int from, int to, QString &into) const = 0;
};
