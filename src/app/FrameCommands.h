#pragma once

#include "codegen/NewFile.h"

// Commands of the frame whose windows are built elsewhere: the program provides them at
// start, tests provide fakes. Without any, these commands do nothing.
class FrameCommands {
public:
    virtual ~FrameCommands() = default;

    // Shows the new-file wizard modally and returns its result (Kind 0: cancelled).
    virtual TNewFile NewFileWizard() = 0;
    // Shows the settings dialog modally; confirming sets DialogResultText().
    virtual void SettingsDialog() = 0;
    // Opens a new Java class reference window.
    virtual void JavaHelp() = 0;
    // Looks for the Java compiler and runtime when the settings name none.
    virtual void FindJavaTools() = 0;
};
