// Page set-up and printing of the editor window.

#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "EditorHost.h"
#include "PrintRenderer.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrinter>

QPrinter &TFMDIQuill::Printer() {
    return m_host.Printer();
}

void TFMDIQuill::MnDruckerSetupClick() {
    // A cancelled dialog changes nothing, whatever it did to the printer meanwhile.
    QPrinter &printer = Printer();
    const QPageLayout before = printer.pageLayout();
    if (!ui().pageSetupDialog(printer))
        printer.setPageLayout(before);
}

void TFMDIQuill::MnDruckenClick() {
    QPrinter &printer = Printer();
    const QString title =
        m_doc.hasFile() ? QFileInfo(FileName()).fileName() : EditorDocument::NoName();
    printer.setDocName(title);
    if (!ui().printDialog(printer))
        return;

    PrintDocument document;
    document.Title = title;
    QString text = m_activeMemo->toPlainText();
    // A line break at the very end ends the last line; it starts no empty one.
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (!text.isEmpty())
        document.Lines = text.split(u'\n');
    document.Font = m_activeMemo->font();
    document.TabStopChars =
        m_activeMemo->tabStopDistance() /
        std::max<qreal>(1, QFontMetricsF(m_activeMemo->font()).averageCharWidth());
    document.Print.Assign(m_memoColor->PrintOptions());
    if (m_activeMemo == m_memoColor) {
        document.Rules = &m_memoColor->ColorRules();
        document.Options = m_memoColor->Options();
        document.Palette = m_memoColor->palette();
        document.TextColor = m_memoColor->palette().color(QPalette::Text);
        document.NumberColor = document.TextColor;
    }
    if (!PrintPages(document, printer, printer.fromPage(), printer.toPage()))
        ShowError(QStringLiteral("Das Dokument konnte nicht gedruckt werden."));
}
