#pragma once

#include "PrintLayout.h"

#include "colormemo/ColorMemoOptions.h"
#include "colormemo/PrintOptions.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <memory>

class QPagedPaintDevice;
class QPainter;
class TDrawRules;

// What a printout shows of a document.
struct PrintDocument {
    QString Title;          // header when the print options have none: the file name
    QStringList Lines;      // the text, line by line, without line breaks
    QFont Font;             // the editor font as the screen shows it
    qreal TabStopChars = 8; // distance of tab stops in average character widths
    QColor TextColor = Qt::black;
    QColor NumberColor = Qt::black;
    // The colour view prints in the colours of these rules; null prints the monochrome view.
    const TDrawRules *Rules = nullptr;
    TColorMemoOptions Options = 0;
    QPalette Palette;      // resolves the system colours of the rules
    TCMPrintOptions Print; // margins, header and footer texts and their alignments
};

// Paints the pages of a document: header, line numbers, the text in the colours of the colour
// view (or plain), footer "Seite n". A line wider than the body goes on in the rows below it,
// each marked in the number column. The layout comes from the paper (in the painter's
// pixels), the device's resolution and the print options' margins. Any painter will do, so
// a printer, a PDF file and an image show the same page.
class PrintRenderer {
public:
    // The document must outlive the renderer.
    PrintRenderer(const PrintDocument &document, const QRect &paper, int resolution);
    ~PrintRenderer();
    PrintRenderer(const PrintRenderer &) = delete;
    PrintRenderer &operator=(const PrintRenderer &) = delete;

    const PrintLayout &Layout() const { return m_layout; }
    // The font the text is printed with (in the device's pixels).
    const QFont &PrintFont() const { return m_font; }
    // Paints one page (0-based) with a painter that is active on the device.
    void PaintPage(QPainter &painter, int page);

private:
    class PageView;
    struct Style;

    void PaintRow(QPainter &painter, const PrintRow &row, int y, const std::vector<Style> &styles);

    const PrintDocument &m_document;
    QFont m_font;
    qreal m_tabWidth = 1;
    PrintLayout m_layout;
    std::unique_ptr<PageView> m_view;
    std::unique_ptr<TDrawRules> m_rules;
    std::unique_ptr<class TColorEngine> m_engine;
};

// Prints the pages fromPage to toPage (counted from 1; 0 for either means from the first or
// to the last) of the document onto the device, with its page layout and resolution; false
// when painting on it cannot start.
bool PrintPages(const PrintDocument &document, QPagedPaintDevice &device, int fromPage = 0,
                int toPage = 0);
