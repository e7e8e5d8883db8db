#pragma once

#include "colormemo/ColorEngine.h"

#include <QString>

// Writes a text with the runs of the last pass as tags around the characters they paint,
// e.g. "<kw>class</kw> A <op>{</op>". Tag names come from the run's text colour (the
// editor rules' default colours have short names, others are written in hex); a run on the
// highlight background gets " sel" in its tag.
inline QString RunTag(TColor color) {
    switch (color) {
    case 0x000000FF:
        return QStringLiteral("op");
    case 0x00FF0080:
        return QStringLiteral("cls");
    case 0x00FF0000:
        return QStringLiteral("kw");
    case 0x00404080:
        return QStringLiteral("cmt");
    case clWindowText:
        return QStringLiteral("plain");
    default:
        return QStringLiteral("c%1").arg(color, 8, 16, QLatin1Char('0'));
    }
}

inline QString TaggedRuns(const QString &text, const TColorEngine &engine) {
    QString out;
    int pos = 0;
    for (int i = 0; i < engine.RunCount(); ++i) {
        const TKeyDescr &run = engine.Run(i);
        if (run.EndPos < run.StartPos)
            continue;
        out += text.mid(pos, run.StartPos - pos);
        QString tag = RunTag(run.Color);
        const bool selected = run.BrushColor == clHighlight;
        out += u'<' + tag + (selected ? QStringLiteral(" sel") : QString()) + u'>';
        out += text.mid(run.StartPos, run.EndPos - run.StartPos + 1);
        out += QStringLiteral("</") + tag + u'>';
        pos = run.EndPos + 1;
    }
    out += text.mid(pos);
    return out;
}
