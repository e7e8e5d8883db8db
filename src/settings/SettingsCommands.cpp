#include "SettingsCommands.h"

#include "Settings.h"
#include "TFEinst.h"
#include "TFEinstProg.h"

#include "common/DialogResult.h"

bool ShowEinstDialog(QWidget *parent, const QList<KeyInUse> &keysInUse) {
    DialogResultText().clear();
    TFEinst dialog(parent);
    dialog.model().setKeysInUse(keysInUse);
    dialog.Init();
    return !DialogResultText().isEmpty();
}

bool ShowEinstProgDialog(QWidget *parent) {
    DialogResultText().clear();
    TFEinstProg dialog(parent);
    dialog.Init();
    return !DialogResultText().isEmpty();
}
