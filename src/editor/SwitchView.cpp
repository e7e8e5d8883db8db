#include "SwitchView.h"

ViewSwitch SwitchView(EditorView shown, EditorView wanted, const QString &activeText,
                      bool activeModified, const QString &targetText) {
    ViewSwitch result;
    if (shown == wanted)
        return result;
    result.Switch = true;
    result.Text = activeText;
    if (wanted == EditorView::Color)
        result.Text.replace(u'\t', QStringLiteral("  "));
    result.SetText = result.Text != targetText;
    // The flag is the active control's own; it must survive the move so that unsaved edits
    // are still asked about when the window closes. Tabs made spaces are such an edit too.
    result.Modified = activeModified || result.Text != activeText;
    return result;
}
