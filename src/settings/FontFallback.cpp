#include "FontFallback.h"

#include "Settings.h"

namespace {

// "DejaVu Sans [foundry]" -> "DejaVu Sans": the font database adds the foundry when two
// foundries offer one family.
QStringView withoutFoundry(const QString &family) {
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket < 0 ? QStringView(family) : QStringView(family).left(bracket);
}

bool replaceMissing(QString &name, const QStringList &families, const QString &fixedFamily) {
    if (FontFamilyExists(name, families) || name == fixedFamily)
        return false;
    name = fixedFamily;
    return true;
}

} // namespace

bool FontFamilyExists(const QString &name, const QStringList &families) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return false;
    for (const QString &family : families)
        if (withoutFoundry(family).compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool ReplaceMissingFonts(const QStringList &families, const QString &fixedFamily) {
    // Both always run: each group falls back on its own.
    const bool editor = replaceMissing(Settings::EditorSchriftName, families, fixedFamily);
    const bool error = replaceMissing(Settings::ErrorSchriftName, families, fixedFamily);
    return editor || error;
}
