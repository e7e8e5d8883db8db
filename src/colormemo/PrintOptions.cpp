#include "PrintOptions.h"

void TCMPrintMargins::Assign(const TCMPersistent &source) {
    const auto *other = dynamic_cast<const TCMPrintMargins *>(&source);
    if (!other)
        AssignError(source);
    Top = other->Top;
    Bottom = other->Bottom;
    Right = other->Right;
    Left = other->Left;
}

void TCMPrintOptions::Assign(const TCMPersistent &source) {
    const auto *other = dynamic_cast<const TCMPrintOptions *>(&source);
    if (!other)
        AssignError(source);
    m_margins.Assign(other->m_margins);
    Header = other->Header;
    Footer = other->Footer;
    HeaderAlignment = other->HeaderAlignment;
    FooterAlignment = other->FooterAlignment;
}
