#pragma once

#include "javarun/BuildHost.h"
#include "javarun/BuildProblem.h"
#include "javarun/BuildSteps.h"
#include "javarun/BuildTarget.h"

#include <QString>
#include <QStringList>

#include <functional>

// The build commands of an editor window and of the frame, made of the steps in
// BuildSteps.h; the problems the steps return are shown here, through the UiProvider, as
// they come. All run on the GUI thread and keep the window responsive while a tool runs; a
// window closed meanwhile is left alone. The commands a user starts (F8, F9, build all) do
// nothing but beep while another one is still in progress. They compile only Java source
// ("*.java"): for any other file they show a notice and leave it alone.

// Shows the problems one box after another.
void ShowBuildProblems(const BuildProblems &problems);

// F8: refuses a never-saved document or one that is no Java source with a notice,
// otherwise CompileFile.
void MnCompilerClick(BuildTarget &window, BuildHost &frame);
// F9: compiles, then runs the chosen main file's window, or this one when none is chosen.
// Refused with a notice, before anything happens, when either file is no Java source.
void MnRunClick(BuildTarget &window, BuildHost &frame);
// F9's first half, also the debugger's: the same refusals, then the compile with ownOptions
// before the configured parameters. The file whose class is to run (the chosen main file,
// or the window's own), or "" when nothing is to run: refused, failed, or the window closed.
QString CompileBeforeRun(BuildTarget &window, BuildHost &frame, const QStringList &ownOptions);
// Runs the window's class, captured or in a window of its own as its source text decides.
void RunFile(BuildTarget &window, BuildHost &frame);
// Runs every window whose file is the chosen main file; a notice when none holds it or it
// is no Java source.
void RunMainFile(BuildHost &frame);
// Compiles every window whose file is Java source, in opening order; one notice first when
// other files are open.
void BuildAll(BuildHost &frame);
// Chooses the window's file as the main file.
void MnSetMainJava(BuildTarget &window, BuildHost &frame);

// "Programm beenden": ends the programs that F9 started and that still run, and says so in
// the panel. Nothing when none runs.
void StopProgram(BuildHost &frame);

// Looks for the Java tools (SearchJavaTools) and says what came of it; when they were not
// found, asks the user to enter them and calls openSettings. The frame's start-up calls it
// when the settings name no existing compiler or runtime.
void FindJavaTools(const std::function<void()> &openSettings);
