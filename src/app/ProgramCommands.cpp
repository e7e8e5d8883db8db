#include "ProgramCommands.h"

#include "TFMain.h"

#include "javarun/BuildCommands.h"

TNewFile ProgramCommands::NewFileWizard() {
    return TNewFile();
}

void ProgramCommands::SettingsDialog() {}

void ProgramCommands::JavaHelp() {}

void ProgramCommands::FindJavaTools() {
    ::FindJavaTools([this] { m_frame.MnEinstellungenClick(); });
}
