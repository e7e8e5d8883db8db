#pragma once

#include "KeyDescr.h"

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;
class TCMView;
class TColorEngine;

// Paints the runs of a colouring pass over text that was already painted plainly: each run
// at the position of its first character, in its colours and style, clipped to the text
// rectangle. Works on any QPainter, so printing can use it too.
class TCMRunPainter {
public:
    // Paints a keyword run instead of the painter: its text, rectangle and text colour. The
    // painter already carries the run's colours and font.
    using DrawKeyHook = std::function<void(QPainter &painter, const QString &text,
                                           const QRect &rect, TColor color)>;

    TCMRunPainter(const QFont &font, const QPalette &palette) : m_font(font), m_palette(palette) {}

    // Hot-spot text (kHotSpotTextZOrder) gets underlined when this is set.
    void SetUnderlineHotSpots(bool underline) { m_underlineHotSpots = underline; }
    void SetDrawKey(DrawKeyHook hook) { m_drawKey = std::move(hook); }

    // Paints the runs of the engine's last pass that touch `exposed` (all runs when it is
    // empty).
    void Paint(QPainter &painter, const TColorEngine &engine, const TCMView &view,
               const QRect &exposed = QRect()) const;

private:
    QFont FontFor(const TKeyDescr &run) const;

    QFont m_font;
    QPalette m_palette;
    bool m_underlineHotSpots = false;
    DrawKeyHook m_drawKey;
};
