#include "SettingsCommands.h"

#include "DialogParts.h"
#include "Settings.h"
#include "TFEinst.h"
#include "TFEinstProg.h"

#include "common/DialogResult.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace {

void applyFont(QWidget *control, const QString &name, int size, bool bold, quint32 color) {
    QFont font(name);
    if (size > 0)
        font.setPointSize(size);
    font.setBold(bold);
    control->setFont(font);
    QPalette palette = control->palette();
    const QColor screen = DialogParts::screenColor(color, palette);
    palette.setColor(QPalette::Text, screen);
    palette.setColor(QPalette::WindowText, screen);
    control->setPalette(palette);
}

} // namespace

bool ShowEinstDialog(QWidget *parent) {
    DialogResultText().clear();
    TFEinst dialog(parent);
    dialog.Init();
    return !DialogResultText().isEmpty();
}

bool ShowEinstProgDialog(QWidget *parent) {
    DialogResultText().clear();
    TFEinstProg dialog(parent);
    dialog.Init();
    return !DialogResultText().isEmpty();
}

void applyEditorFont(QWidget *control) {
    using namespace Settings;
    applyFont(control, EditorSchriftName, EditorSchriftGroesse, EditorSchriftBold,
              EditorSchriftFarbe);
}

void applyErrorFont(QWidget *control) {
    using namespace Settings;
    applyFont(control, ErrorSchriftName, ErrorSchriftGroesse, ErrorSchriftBold, ErrorSchriftFarbe);
}

void ApplyConfirmedSettings(SettingsApplyHost &host) {
    if (QWidget *panel = host.errorPanel())
        applyErrorFont(panel);
    const int count = host.editorWindowCount();
    for (int i = 0; i < count; ++i)
        host.applyBuildShortcuts(i);
    for (int i = 0; i < count; ++i) {
        for (QWidget *control : host.textControls(i))
            applyEditorFont(control);
        host.applyRuleColors(i);
        if (QAbstractScrollArea *memo = host.activeMemo(i))
            memo->viewport()->repaint();
    }
}
