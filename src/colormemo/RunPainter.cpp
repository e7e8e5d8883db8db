#include "RunPainter.h"

#include "ColorConvert.h"
#include "ColorEngine.h"
#include "ColorView.h"

#include <QFontMetrics>
#include <QPainter>

QFont TCMRunPainter::FontFor(const TKeyDescr &run) const {
    QFont font = m_font;
    font.setBold(run.Style & fsBold);
    font.setItalic(run.Style & fsItalic);
    font.setUnderline((run.Style & fsUnderline) ||
                      (run.ZOrder == kHotSpotTextZOrder && m_underlineHotSpots));
    font.setStrikeOut(run.Style & fsStrikeOut);
    return font;
}

void TCMRunPainter::Paint(QPainter &painter, const TColorEngine &engine, const TCMView &view,
                          const QRect &exposed) const {
    const QRect textRect = view.TextRect();
    const int textLeft = textRect.left();
    const int textRight = textRect.left() + textRect.width();
    const int textBottom = textRect.top() + textRect.height();
    const int lineHeight = view.LineHeight();
    painter.save();
    for (int i = 0; i < engine.RunCount(); ++i) {
        const TKeyDescr &run = engine.Run(i);
        if (run.EndPos < run.StartPos)
            continue;
        // Line breaks are never painted; a run that reaches one stops before it.
        QStringView chars = engine.TextOf(run);
        const qsizetype lineBreak = chars.indexOf(u'\n');
        if (lineBreak >= 0)
            chars = chars.left(lineBreak);
        if (chars.endsWith(u'\r'))
            chars.chop(1);
        if (chars.isEmpty())
            continue;
        const std::optional<QPoint> pos = view.PosFromChar(run.StartPos);
        if (!pos)
            continue;
        if (!exposed.isEmpty() &&
            (pos->y() + lineHeight <= exposed.top() || pos->y() > exposed.bottom()))
            continue;
        const QFont font = FontFor(run);
        const QFontMetrics metrics(font);
        const QString text = chars.toString();
        const QColor textColor = ToQColor(run.Color, m_palette);
        const QColor brushColor = ToQColor(run.BrushColor, m_palette);
        painter.setFont(font);
        painter.setPen(textColor);
        painter.setBrush(brushColor);
        QRect rect(pos->x(), pos->y(), metrics.horizontalAdvance(text), lineHeight);
        if (run.IsKeyword && m_drawKey) {
            m_drawKey(painter, text, rect, run.Color);
            continue;
        }
        int left = rect.left();
        int right = rect.left() + rect.width();
        int bottom = rect.top() + rect.height();
        if (right >= textRight)
            right = textRight - 1;
        if (left <= textLeft)
            left = textLeft + 1;
        if (bottom > textBottom)
            bottom = textBottom;
        if (left >= right || bottom <= rect.top())
            continue;
        const QRect clip(left, rect.top(), right - left, bottom - rect.top());
        painter.setClipRect(clip);
        painter.fillRect(clip, brushColor);
        painter.drawText(QPoint(pos->x(), pos->y() + metrics.ascent()), text);
        painter.setClipping(false);
    }
    painter.restore();
}
