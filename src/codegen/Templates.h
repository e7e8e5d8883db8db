#pragma once

#include "codegen/NewFile.h"

#include <QStringList>

// The seven program kinds, each appending its lines to out. Notices for elements outside the
// element list go to notices.
namespace Templates {

void dialogFrame(QStringList &out, const TNewFile &newFile, QStringList &notices);        // kind 1
void sdiFrame(QStringList &out, const TNewFile &newFile, QStringList &notices);           // kind 2
void mdiFrame(QStringList &out, const TNewFile &newFile, const QStringList &cascadeTile); // kind 3
void modalDialog(QStringList &out, const TNewFile &newFile);                              // kind 4
void boxLayoutExample(QStringList &out, const TNewFile &newFile);                         // kind 5
void plainConsole(QStringList &out, const TNewFile &newFile);                             // kind 6
void environmentConsole(QStringList &out, const TNewFile &newFile);                       // kind 7

} // namespace Templates
