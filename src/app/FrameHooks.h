#pragma once

#include "codegen/NewFile.h"

#include <functional>

// Commands of the frame whose windows are built elsewhere. The program connects them at
// start; a command whose function is not set does nothing.
struct FrameHooks {
    // Shows the new-file wizard modally and returns its result (Kind 0: cancelled).
    std::function<TNewFile()> newFileWizard;
    // Shows the settings dialog modally; confirming sets DialogResultText().
    std::function<void()> settingsDialog;
    // Opens a new Java class reference window.
    std::function<void()> javaHelp;
    // Looks for the Java compiler and runtime when the settings name none.
    std::function<void()> findJavaTools;
};
