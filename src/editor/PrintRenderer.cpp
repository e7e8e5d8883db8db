#include "PrintRenderer.h"

#include "colormemo/ColorConvert.h"
#include "colormemo/ColorEngine.h"
#include "colormemo/ColorView.h"
#include "colormemo/DrawRules.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

// The colouring pass's view of one page: the lines with a row on the page are the visible
// ones, as if each took one row of the body (the pass colours whole lines and never asks
// where a character stands inside one). Only line starts are ever asked for a position, so a
// position is the left edge of the body at that row's top.
class PrintRenderer::PageView : public TCMView {
public:
    PageView(const QStringList &lines, const PrintLayout &layout)
        : m_lines(lines), m_layout(layout) {
        if (m_lines.isEmpty())
            m_lines.append(QString());
        m_starts.reserve(size_t(m_lines.size()));
        int start = 0;
        for (const QString &line : std::as_const(m_lines)) {
            m_starts.push_back(start);
            start += int(line.size()) + 1;
        }
        m_length = start - 1;
    }

    void SetPage(int page) {
        const int rows = m_layout.RowsOn(page);
        if (rows == 0) {
            m_firstLine = 0;
            m_lastLine = -1;
            return;
        }
        const int first = m_layout.FirstRow(page);
        m_firstLine = m_layout.Rows[size_t(first)].Line;
        m_lastLine = m_layout.Rows[size_t(first + rows - 1)].Line;
    }

    int FirstVisibleLine() const override { return m_firstLine; }
    int LineCount() const override { return int(m_lines.size()); }
    int LineFromChar(int index) const override {
        const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), index);
        return std::max(0, int(it - m_starts.begin()) - 1);
    }
    int LineIndex(int line) const override {
        return line >= 0 && line < LineCount() ? m_starts[size_t(line)] : m_length;
    }
    int LineLength(int line) const override {
        return line >= 0 && line < LineCount() ? int(m_lines[line].size()) : 0;
    }
    int TextLength() const override { return m_length; }
    std::optional<QPoint> PosFromChar(int index) const override {
        if (index < 0 || index > m_length)
            return std::nullopt;
        const int line = LineFromChar(index);
        const int row = line - m_firstLine;
        if (line > m_lastLine)
            return QPoint(m_layout.Body.left(), m_layout.Body.bottom() + m_layout.LineHeight);
        const int y = row < 0 ? row * m_layout.LineHeight : m_layout.RowTop(row);
        return QPoint(m_layout.Body.left(), y);
    }
    int CharFromPos(QPoint) const override { return -1; }
    // One pixel more than the page's lines, so the last of them counts as fully visible.
    QRect TextRect() const override { return m_layout.Body.adjusted(0, 0, 0, 1); }
    int LineHeight() const override { return m_layout.LineHeight; }
    int SelStart() const override { return 0; }
    int SelLength() const override { return 0; }
    bool Focused() const override { return false; }
    bool HideSelection() const override { return true; }
    void AppendText(int from, int to, QString &into) const override {
        for (int line = LineFromChar(from); line < LineCount() && m_starts[size_t(line)] < to;
             ++line) {
            const QString &text = m_lines[line];
            const int start = m_starts[size_t(line)];
            const int begin = std::max(from - start, 0);
            const int end = std::min(to - start, int(text.size()) + 1);
            if (end <= begin)
                continue;
            into.append(QStringView(text).mid(begin, std::min(end, int(text.size())) - begin));
            if (end > text.size())
                into.append(u'\n');
        }
    }

private:
    QStringList m_lines;
    const PrintLayout &m_layout;
    std::vector<int> m_starts;
    int m_length = 0;
    int m_firstLine = 0;
    int m_lastLine = -1;
};

// A coloured stretch of the text: characters Start..End (inclusive).
struct PrintRenderer::Style {
    int Start;
    int End;
    QColor Color;
    QColor Brush; // invalid: the paper shows
    TFontStyles FontStyle;
};

namespace {

// The screen font in the pixels of a device: as large on paper as on a screen of 96 dots
// per inch. In pixels, its metrics are the same whatever device measures them.
QFont DeviceFont(QFont font, int resolution) {
    const qreal points = font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : font.pointSizeF();
    font.setPixelSize(std::max(1, qRound(points * resolution / 72.0)));
    return font;
}

QFont StyledFont(QFont font, TFontStyles style) {
    if (style & fsBold)
        font.setBold(true);
    if (style & fsItalic)
        font.setItalic(true);
    if (style & fsUnderline)
        font.setUnderline(true);
    if (style & fsStrikeOut)
        font.setStrikeOut(true);
    return font;
}

void DrawAligned(QPainter &painter, const QRect &rect, TCMAlignment alignment,
                 const QString &text) {
    const Qt::Alignment horizontal = alignment == TCMAlignment::Left    ? Qt::AlignLeft
                                     : alignment == TCMAlignment::Right ? Qt::AlignRight
                                                                        : Qt::AlignHCenter;
    painter.drawText(rect, int(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

} // namespace

PrintRenderer::PrintRenderer(const PrintDocument &document, const QRect &paper, int resolution)
    : m_document(document), m_font(DeviceFont(document.Font, resolution)) {
    const QFontMetricsF metrics(m_font);
    m_layout =
        LayOutPages(paper, resolution, document.Print.Margins(), int(std::ceil(metrics.height())),
                    int(std::ceil(metrics.horizontalAdvance(u'0'))), int(document.Lines.size()));
    m_tabWidth = std::max<qreal>(1, document.TabStopChars * metrics.averageCharWidth());
    // Lines wider than the body go on in further rows, so nothing is cut at the margin.
    const auto measure = [&metrics](QStringView piece) {
        return metrics.horizontalAdvance(piece.toString());
    };
    std::vector<PrintRow> rows;
    rows.reserve(size_t(document.Lines.size()));
    for (int line = 0; line < document.Lines.size(); ++line) {
        const QString &text = document.Lines[line];
        AppendRows(rows, line, int(text.size()),
                   WrapLine(text, m_layout.Body.width(), m_tabWidth, measure));
    }
    m_layout.SetRows(std::move(rows));
    m_view = std::make_unique<PageView>(document.Lines, m_layout);
    if (document.Rules) {
        m_rules = std::make_unique<TDrawRules>();
        m_rules->Assign(*document.Rules);
        m_engine = std::make_unique<TColorEngine>();
    }
}

PrintRenderer::~PrintRenderer() = default;

void PrintRenderer::PaintPage(QPainter &painter, int page) {
    painter.save();
    painter.setFont(m_font);
    painter.setPen(m_document.TextColor);
    const TCMPrintOptions &print = m_document.Print;
    DrawAligned(painter, m_layout.Header, print.HeaderAlignment,
                print.Header.isEmpty() ? m_document.Title : print.Header);
    DrawAligned(painter, m_layout.Footer, print.FooterAlignment,
                print.Footer.isEmpty() ? PageFooter(page) : print.Footer);

    std::vector<Style> styles;
    if (m_engine) {
        m_view->SetPage(page);
        TColorEngine::Look look;
        look.FontColor = FromQColor(m_document.TextColor);
        look.Color = clWindow;
        if (m_engine->Colorize(*m_rules, *m_view, false, nullptr, m_document.Options, look)) {
            const QColor paper = m_document.Palette.color(QPalette::Base);
            for (int i = 0; i < m_engine->RunCount(); ++i) {
                const TKeyDescr &run = m_engine->Run(i);
                if (run.EndPos < run.StartPos)
                    continue;
                const QColor brush = ToQColor(run.BrushColor, m_document.Palette);
                styles.push_back({run.StartPos, run.EndPos, ToQColor(run.Color, m_document.Palette),
                                  brush == paper ? QColor() : brush, run.Style});
            }
            std::stable_sort(styles.begin(), styles.end(),
                             [](const Style &a, const Style &b) { return a.Start < b.Start; });
        }
    }

    const QFontMetricsF metrics(m_font);
    const int first = m_layout.FirstRow(page);
    for (int row = 0; row < m_layout.RowsOn(page); ++row) {
        const PrintRow &printed = m_layout.Rows[size_t(first + row)];
        const int y = m_layout.RowTop(row);
        painter.setFont(m_font);
        painter.setPen(m_document.NumberColor);
        painter.drawText(QRect(m_layout.Numbers.left(), y,
                               m_layout.Numbers.width() - int(metrics.horizontalAdvance(u'0')),
                               m_layout.LineHeight),
                         int(Qt::AlignRight | Qt::AlignVCenter),
                         printed.Continued() ? ContinuationMark()
                                             : QString::number(printed.Line + 1));
        PaintRow(painter, printed, y, styles);
    }
    painter.restore();
}

void PrintRenderer::PaintRow(QPainter &painter, const PrintRow &row, int y,
                             const std::vector<Style> &styles) {
    const QString &text = m_document.Lines[row.Line];
    if (row.Length <= 0)
        return;
    const int lineStart = m_view->LineIndex(row.Line);
    const int rowStart = lineStart + row.Start;
    const int rowEnd = rowStart + row.Length; // exclusive
    const QFontMetricsF metrics(m_font);
    const qreal baseline = y + metrics.ascent();
    const qreal left = m_layout.Body.left();
    painter.save();
    // A blank that ends a full row may reach into the right margin, never further.
    painter.setClipRect(QRect(m_layout.Body.left(), m_layout.Body.top(),
                              m_layout.Paper.right() + 1 - m_layout.Body.left(),
                              m_layout.Body.height()));

    // The first style that may reach into this row.
    auto next = std::lower_bound(styles.begin(), styles.end(), rowStart,
                                 [](const Style &s, int start) { return s.End < start; });
    qreal x = left;
    int pos = rowStart;
    while (pos < rowEnd) {
        while (next != styles.end() && next->End < pos)
            ++next;
        const Style *style = nullptr;
        int pieceEnd = rowEnd;
        if (next != styles.end() && next->Start <= pos) {
            style = &*next;
            pieceEnd = std::min(rowEnd, next->End + 1);
        } else if (next != styles.end()) {
            pieceEnd = std::min(rowEnd, next->Start);
        }
        const QFont font = style ? StyledFont(m_font, style->FontStyle) : m_font;
        painter.setFont(font);
        painter.setPen(style ? style->Color : m_document.TextColor);
        // Tabs jump to the next stop counted from the row's start, as the row was broken; the
        // rest goes in stretches between them. Positions come from the plain font, so bold
        // text does not push the columns apart.
        int from = pos;
        while (from < pieceEnd) {
            int to = from;
            while (to < pieceEnd && text[to - lineStart] != u'\t')
                ++to;
            if (to > from) {
                const QString chunk = text.mid(from - lineStart, to - from);
                const qreal width = metrics.horizontalAdvance(chunk);
                if (style && style->Brush.isValid())
                    painter.fillRect(QRectF(x, y, width, m_layout.LineHeight), style->Brush);
                painter.drawText(QPointF(x, baseline), chunk);
                x += width;
            }
            if (to < pieceEnd) {
                const qreal stop = left + (std::floor((x - left) / m_tabWidth) + 1) * m_tabWidth;
                if (style && style->Brush.isValid())
                    painter.fillRect(QRectF(x, y, stop - x, m_layout.LineHeight), style->Brush);
                x = stop;
                ++to;
            }
            from = to;
        }
        pos = pieceEnd;
    }
    painter.restore();
}

bool PrintPages(const PrintDocument &document, QPagedPaintDevice &device, int fromPage,
                int toPage) {
    // The painter starts at the corner of the printable area; the margins count from the
    // edge of the paper.
    const int resolution = device.logicalDpiY();
    const QPageLayout page = device.pageLayout();
    const QRect paint = page.paintRectPixels(resolution);
    const QRect paper = page.fullRectPixels(resolution).translated(-paint.topLeft());
    PrintRenderer renderer(document, paper, resolution);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int count = renderer.Layout().PageCount;
    const int first = std::clamp(fromPage > 0 ? fromPage - 1 : 0, 0, count - 1);
    const int last = std::clamp(toPage > 0 ? toPage - 1 : count - 1, first, count - 1);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device.newPage();
        renderer.PaintPage(painter, page);
    }
    return painter.end();
}
