#pragma once

#include <QList>

class QAbstractScrollArea;
class QWidget;

// What the frame does with the settings dialogs.

// Empties the dialog-result text and shows TFEinst modally; true when it was confirmed
// (the settings are then saved and the frame applies them, see ApplyConfirmedSettings).
bool ShowEinstDialog(QWidget *parent);
// The same for TFEinstProg (the editor window's "&Einstellungen"); nothing is applied after it.
bool ShowEinstProgDialog(QWidget *parent);

// The font settings on a control: name, size, bold and colour of the editor font or of the
// error font.
void applyEditorFont(QWidget *control);
void applyErrorFont(QWidget *control);

// What a confirmed settings dialog changes in the frame and its open editor windows.
class SettingsApplyHost {
public:
    virtual ~SettingsApplyHost() = default;
    // The error panel Memo1.
    virtual QWidget *errorPanel() = 0;
    // The open editor windows, in creation order.
    virtual int editorWindowCount() const = 0;
    // Both text controls of window i (MemoColor and MemoSW).
    virtual QList<QWidget *> textControls(int window) = 0;
    // TFMDIQuill::ApplyBuildShortcuts of window i.
    virtual void applyBuildShortcuts(int window) = 0;
    // TFMDIQuill::ApplyRuleColors of window i.
    virtual void applyRuleColors(int window) = 0;
    // The active text control of window i, repainted at once.
    virtual QAbstractScrollArea *activeMemo(int window) = 0;
};

// After a confirmed TFEinst: the error font on Memo1, the compile and run shortcuts of every
// window, then per window the editor font on both text controls, the four rule colours and
// an immediate repaint.
void ApplyConfirmedSettings(SettingsApplyHost &host);
