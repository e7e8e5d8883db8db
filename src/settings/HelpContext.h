#pragma once

#include <QString>
#include <QUrl>

// The help file shipped beside the program: <program directory>/hilfe/quill.html.
QString shippedHelpFileName();
// The help file in use: Settings::HelpFileName when that file exists, else the shipped one.
QString helpFileName();
// The anchor of a help context in the help file ("kontext10600" for 10600).
QString helpAnchor(int context);
// The help file at the section of the context; HelpStart (or any context <= 0) is its start.
QUrl helpUrl(int context);

inline constexpr int HelpStart = 0;
