#pragma once

class QWidget;

// What the frame does with the settings dialogs.

// Empties the dialog-result text and shows TFEinst modally; true when it was confirmed
// (the settings are then saved; the frame applies them to its open windows).
bool ShowEinstDialog(QWidget *parent);
// The same for TFEinstProg (the editor window's "&Einstellungen"); nothing is applied after it.
bool ShowEinstProgDialog(QWidget *parent);
