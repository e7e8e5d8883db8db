#pragma once

#include "ShortkeyModel.h"

#include <QList>

class QWidget;

// What the frame does with the settings dialogs.

// Empties the dialog-result text and shows TFEinst modally; true when it was confirmed
// (the settings are then saved; the frame applies them to its open windows). The shortcut
// dialog marks the keys that the commands in `keysInUse` have.
bool ShowEinstDialog(QWidget *parent, const QList<KeyInUse> &keysInUse = {});
// The same for TFEinstProg (the editor window's "&Einstellungen"); nothing is applied after it.
bool ShowEinstProgDialog(QWidget *parent);
