#pragma once

#include <QString>

// The process-wide dialog-result text through which a modal dialog tells its caller that it
// was confirmed: empty means not confirmed. The settings dialogs set "Okay", the shortcut
// dialog the chosen shortcut text.
QString &DialogResultText();
