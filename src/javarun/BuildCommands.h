#pragma once

#include "javarun/BuildTarget.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class WarmCompiler;

// What the build commands read of the main frame.
struct BuildFrame {
    QPlainTextEdit *memo1 = nullptr;     // the error panel
    QCheckBox *cbMitUmleitung = nullptr; // "Mit Umleitung"; missing counts as checked
    QComboBox *cbMainFile = nullptr;     // short names of the windows
    QComboBox *cbMainFile2 = nullptr;    // full names at the same positions
    // The editor windows in the order they were opened, asked afresh when needed.
    std::function<QList<std::shared_ptr<BuildTarget>>()> windows;
    WarmCompiler *warmCompiler = nullptr; // the resident compiler; none: always the process
};

// The build commands of an editor window and of the frame. All run on the GUI thread and
// keep the window responsive while a tool runs; a window closed meanwhile is left alone.

// F8: refuses a never-saved document with a notice, otherwise CompileFile.
void MnCompilerClick(BuildTarget &window, const BuildFrame &frame);
// Saves unsaved changes, deletes the old class file and compiles into the error panel,
// waiting for the compiler to end. A failed compile (no class file) puts the focus on the
// panel with the caret at its start. Never touches a never-saved document.
void CompileFile(BuildTarget &window, const BuildFrame &frame);
// F9: compiles, then runs the chosen main file's window, or this one when none is chosen.
void MnRunClick(BuildTarget &window, const BuildFrame &frame);
// Runs the window's class, captured or in a window of its own as its source text decides.
void RunFile(BuildTarget &window, const BuildFrame &frame);
// Runs every window whose file is the one chosen in cbMainFile.
void RunMainFile(const BuildFrame &frame);
// Compiles every window that has a file of its own, in opening order.
void BuildAll(const BuildFrame &frame);
// Chooses the window's file as the main file.
void MnSetMainJava(BuildTarget &window, const BuildFrame &frame);

// Looks for the Java tools (program directory tree, JAVA_HOME/bin, PATH); saves and reports
// them when found, otherwise asks the user to enter them and calls openSettings. The frame's
// start-up calls it when the settings name no existing compiler or runtime.
void FindJavaTools(const std::function<void()> &openSettings);
