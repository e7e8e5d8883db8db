#pragma once

#include "javarun/BuildHost.h"
#include "javarun/BuildTarget.h"

#include <QString>

#include <functional>

// The build commands of an editor window and of the frame. All run on the GUI thread and
// keep the window responsive while a tool runs; a window closed meanwhile is left alone.
// The commands a user starts (F8, F9, build all) do nothing but beep while another one is
// still in progress.

// F8: refuses a never-saved document with a notice, otherwise CompileFile.
void MnCompilerClick(BuildTarget &window, BuildHost &frame);
// Saves unsaved changes, deletes the old class file and compiles into the error panel,
// waiting for the compiler to end. A failed compile (no class file) puts the focus on the
// panel with the caret at its start. Never touches a never-saved document.
void CompileFile(BuildTarget &window, BuildHost &frame);
// F9: compiles, then runs the chosen main file's window, or this one when none is chosen.
void MnRunClick(BuildTarget &window, BuildHost &frame);
// Runs the window's class, captured or in a window of its own as its source text decides.
void RunFile(BuildTarget &window, BuildHost &frame);
// Runs every window whose file is the chosen main file; a notice when none holds it.
void RunMainFile(BuildHost &frame);
// Compiles every window that has a file of its own, in opening order.
void BuildAll(BuildHost &frame);
// Chooses the window's file as the main file.
void MnSetMainJava(BuildTarget &window, BuildHost &frame);

// "Programm beenden": ends the programs that F9 started and that still run, and says so in
// the panel. Nothing when none runs.
void StopProgram(BuildHost &frame);

// Looks for the Java tools (program directory tree, JAVA_HOME/bin, PATH); saves and reports
// them when found, otherwise asks the user to enter them and calls openSettings. The frame's
// start-up calls it when the settings name no existing compiler or runtime.
void FindJavaTools(const std::function<void()> &openSettings);
