#pragma once

#include "CMPersistent.h"

#include <QString>

// Alignment of a header, footer or gutter number.
enum class TCMAlignment : quint8 { Left, Right, Center };

// Page margins a host uses when it prints the control's text; the control never reads them.
class TCMPrintMargins : public TCMPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TCMPrintMargins"); }
    // Copies Top, Bottom, Right and Left from other margins; anything else raises the
    // assignment error and changes nothing.
    void Assign(const TCMPersistent &source) override;

    int Top = 100;
    int Bottom = 100;
    int Left = 100;
    int Right = 100;
};

// Print layout a host can take from the control: header, footer and margins.
class TCMPrintOptions : public TCMPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TCMPrintOptions"); }
    // Copies the margins, Header, Footer, HeaderAlignment and FooterAlignment from other
    // print options; anything else raises the assignment error and changes nothing.
    void Assign(const TCMPersistent &source) override;

    TCMPrintMargins &Margins() { return m_margins; }
    const TCMPrintMargins &Margins() const { return m_margins; }
    // Copies the given margins into the owned ones.
    void SetMargins(const TCMPrintMargins &margins) { m_margins.Assign(margins); }

    QString Header;
    QString Footer;
    TCMAlignment HeaderAlignment = TCMAlignment::Center;
    TCMAlignment FooterAlignment = TCMAlignment::Center;

private:
    TCMPrintMargins m_margins;
};
