#pragma once

#include "common/UiProvider.h"

#include <QString>

// The base filter of the frame's open dialog and its file mask.
QList<FileFilter> BaseOpenFilter();
QString BaseFileMask();

// The frame's open dialog: several files, starting in the directory, and, when the last
// file opened had an extension other than ".DAT", an "Alte Dateimaske" entry for that
// extension first and selected, with its mask in the name field.
FileDialogRequest MakeOpenRequest(const QString &rememberedExt, const QString &directory);
