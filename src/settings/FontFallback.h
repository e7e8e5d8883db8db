#pragma once

#include <QString>
#include <QStringList>

// Fonts the system does not have. Asking Qt for a missing family gives whatever the font
// matcher thinks is close, mostly a proportional font, so code columns no longer line up;
// the settings name the desktop's fixed-pitch font instead.

// Whether `name` is one of the system's font families (`families` as the font database lists
// them). Letter case does not matter, and "Name [Foundry]" counts as "Name". An empty name
// is no family.
bool FontFamilyExists(const QString &name, const QStringList &families);

// Replaces the editor and the error font name with `fixedFamily` where the system lacks it;
// the sizes, colours and bold flags stay. True when a name changed.
bool ReplaceMissingFonts(const QStringList &families, const QString &fixedFamily);
