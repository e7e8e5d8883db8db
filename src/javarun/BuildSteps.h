#pragma once

#include "javarun/BuildHost.h"
#include "javarun/BuildProblem.h"
#include "javarun/BuildTarget.h"
#include "javarun/CompileResult.h"

#include "common/StoreProblem.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

// The steps the build commands (BuildCommands.h) are made of. A step decides and acts on
// files, the panel and the processes, and returns the problems it met as boxes to show; it
// never shows a box itself. They compile only Java source ("*.java"), so nothing but a Java
// file's own class file is ever deleted.

// Tells whether a window still exists after the event loop has run.
class WindowLiveness {
public:
    explicit WindowLiveness(BuildTarget &window)
        : m_object(window.LifetimeObject()), m_guarded(m_object != nullptr) {}
    bool Alive() const { return !m_guarded || m_object; }

private:
    QPointer<QObject> m_object;
    bool m_guarded;
};

// Why F8 or F9 refuses the window: a document that was never saved or is no Java source.
std::optional<BuildProblem> BuildRefusal(const BuildTarget &window);
// The notice for a file that is no Java source, nothing for Java source: compiling it would
// mean deleting "its" class file, which for a class file opened as text is the file itself.
std::optional<BuildProblem> NotJavaSource(const QString &fileName);
// The notice that only Java source can be compiled.
BuildProblem OnlyJavaProblem();

// What the compile of one window came to.
struct CompileOutcome {
    // Why the compiler was not started (the old class file could not be deleted).
    BuildProblems problems;
    // The compile, when the compiler was started.
    std::optional<CompileResult> result;

    bool Succeeded() const { return result && result->Succeeded(); }
};

// The class path F8 gives the compiler besides its parameters (the classes shipped with the
// program), "" for none.
QString CompileClassPath();

// Saves unsaved changes, deletes the old class file and compiles into the error panel,
// waiting for the compiler to end; the host is told the result. A failed compile puts the
// focus on the panel with the caret at its start. Never touches a never-saved document or
// one that is no Java source (an empty outcome). ownOptions go before the configured
// parameters (the debugger's "-g").
CompileOutcome CompileFile(BuildTarget &window, BuildHost &frame,
                           const QStringList &ownOptions = {});

// Runs the window's class, captured or in a window of its own as its source text decides;
// the problems of a window of its own that could not be started. ownOptions go to the
// runtime before the class (the debugger's agent). A captured run waits for the program's
// end with untilEnd (a program stopped in the debugger), otherwise at most as RunCaptured.
BuildProblems StartRun(BuildTarget &window, BuildHost &frame, const QStringList &ownOptions = {},
                       bool untilEnd = false);

// The notice that the chosen main file is open in no window.
BuildProblem MainFileNotOpenProblem(const QString &mainFile);

// What the search for the Java tools came to: whether both were found (and saved), why the
// settings could not be saved, and the notice that says what to do next.
struct ToolSearchOutcome {
    bool found = false;
    StoreProblem store;
    BuildProblem notice;
};
// Looks for the Java tools (program directory tree, JAVA_HOME/bin, PATH) and saves them
// when both are found.
ToolSearchOutcome SearchJavaTools();
