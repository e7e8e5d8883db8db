#pragma once

#include "FrameCommands.h"

class TFMain;

// The frame's commands as the program provides them: the wizard, the settings dialog, the
// class reference and the search for the Java tools.
class ProgramCommands : public FrameCommands {
public:
    explicit ProgramCommands(TFMain &frame) : m_frame(frame) {}

    TNewFile NewFileWizard() override;
    void SettingsDialog() override;
    void JavaHelp() override;
    void FindJavaTools() override;

private:
    TFMain &m_frame;
};
