#pragma once

#include "CMPersistent.h"
#include "ColorText.h"
#include "GutterOwner.h"
#include "PrintOptions.h"

// The gutter of a colouring control: a strip left of the text with optional line numbers.
// A change of Size tells the owner to lay the text out anew; any other change tells it to
// repaint.
class TCMGutterOptions : public TCMPersistent {
public:
    // Options of `owner` (may be null for free-standing options); NumColor starts as the
    // control's font colour.
    explicit TCMGutterOptions(IGutterOwner *owner, TColor numColor = clWindowText);

    QString ClassName() const override { return QStringLiteral("TCMGutterOptions"); }
    // Copies all seven values from other gutter options and repaints; anything else raises
    // the assignment error. The text layout follows a changed Size at its next update.
    void Assign(const TCMPersistent &source) override;

    bool ShowLineNumbers() const { return m_showLineNumbers; }
    void SetShowLineNumbers(bool value);
    TCMAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TCMAlignment value);
    TColor NumColor() const { return m_numColor; }
    void SetNumColor(TColor value);
    int StartCountAt() const { return m_startCountAt; }
    void SetStartCountAt(int value);
    // Width in pixels; a negative value is stored as 0.
    int Size() const { return m_size; }
    void SetSize(int value);
    bool Is3D() const { return m_is3D; }
    void SetIs3D(bool value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);

private:
    void Changed();

    IGutterOwner *m_owner;
    bool m_showLineNumbers = false;
    TCMAlignment m_alignment = TCMAlignment::Left;
    TColor m_numColor;
    int m_startCountAt = 1;
    int m_size = 0;
    bool m_is3D = false;
    TColor m_color = clBtnFace;
};
