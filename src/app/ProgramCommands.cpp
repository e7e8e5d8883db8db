#include "ProgramCommands.h"

#include "TFMain.h"

#include "codegen/TFNewJavaFile.h"
#include "javahelp/TFJavaHelp.h"
#include "javarun/BuildCommands.h"
#include "settings/SettingsCommands.h"

TNewFile ProgramCommands::NewFileWizard() {
    return RunNewJavaFileWizard(&m_frame);
}

void ProgramCommands::SettingsDialog() {
    ShowEinstDialog(&m_frame, m_frame.KeysInUse());
}

void ProgramCommands::JavaHelp() {
    TFJavaHelp::Open(&m_frame);
}

void ProgramCommands::FindJavaTools() {
    ::FindJavaTools([this] { m_frame.MnEinstellungenClick(); });
}
