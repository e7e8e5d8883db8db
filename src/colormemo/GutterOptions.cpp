#include "GutterOptions.h"

TCMGutterOptions::TCMGutterOptions(IGutterOwner *owner, TColor numColor)
    : m_owner(owner), m_numColor(numColor) {}

void TCMGutterOptions::Assign(const TCMPersistent &source) {
    const auto *other = dynamic_cast<const TCMGutterOptions *>(&source);
    if (!other)
        AssignError(source);
    m_showLineNumbers = other->m_showLineNumbers;
    m_alignment = other->m_alignment;
    m_numColor = other->m_numColor;
    m_startCountAt = other->m_startCountAt;
    m_size = other->m_size;
    m_is3D = other->m_is3D;
    m_color = other->m_color;
    Changed();
}

void TCMGutterOptions::Changed() {
    if (m_owner)
        m_owner->GutterChanged();
}

void TCMGutterOptions::SetShowLineNumbers(bool value) {
    m_showLineNumbers = value;
    Changed();
}

void TCMGutterOptions::SetAlignment(TCMAlignment value) {
    m_alignment = value;
    Changed();
}

void TCMGutterOptions::SetNumColor(TColor value) {
    m_numColor = value;
    Changed();
}

void TCMGutterOptions::SetStartCountAt(int value) {
    m_startCountAt = value;
    Changed();
}

void TCMGutterOptions::SetSize(int value) {
    value = value < 0 ? 0 : value;
    if (value == m_size)
        return;
    m_size = value;
    if (m_owner)
        m_owner->GutterSizeChanged();
}

void TCMGutterOptions::SetIs3D(bool value) {
    m_is3D = value;
    Changed();
}

void TCMGutterOptions::SetColor(TColor value) {
    m_color = value;
    Changed();
}
