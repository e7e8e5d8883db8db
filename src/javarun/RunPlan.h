#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// How a program run is carried out: captured into the error panel or started in a window
// of its own, and whether it needs the console runtime.
struct RunPlan {
    bool shell = false;   // own window (terminal) instead of captured output
    bool console = false; // a windowless runtime (javaw) is replaced by the console one
    bool operator==(const RunPlan &) const = default;
};

// Decides the run from the "Mit Umleitung" box and the source text: a program that reads
// its input (ReadsInput) runs in a window of its own with the console runtime; the other
// words are case-sensitive tests on the whole text, comments and strings included.
RunPlan DecideRun(bool mitUmleitung, const QString &sourceText);

// Whether the program uses its standard input: `System.in` or `System.console` in the code
// (blanks and comments allowed around the dot), not in comments, strings or characters.
bool ReadsInput(QStringView sourceText);

// Whether the file is Java source, the only kind the build commands compile: a name with
// the extension ".java" in any letter case.
bool IsJavaSource(const QString &fileName);

// The runtime to use for one run: for a console run a configured "javaw" (any letter case,
// with or without the platform's executable suffix) becomes "java" in the same directory;
// otherwise the configured runtime unchanged.
QString RuntimeForRun(const QString &configuredRun, bool console);

// A program and its arguments, never joined into one string.
struct Command {
    QString program;
    QStringList arguments;
    bool operator==(const Command &) const = default;
};

// Captured run: the program, the options of our own (the debugger's agent), the configured
// parameters (split like shell words), the target.
Command CapturedCommand(const QString &program, const QString &parameters, const QString &target,
                        const QStringList &ownOptions = {});
// Run in a window of its own: the options of our own, the target, then the parameters, so for
// the Java runtime they reach the started program as its own arguments.
Command ShellCommand(const QString &program, const QString &parameters, const QString &target,
                     const QStringList &ownOptions = {});

// The compiler parameters for a source file in the given encoding (a Java encoding name,
// "" when unknown): the configured ones, after "-encoding" and the name unless they choose
// an encoding themselves. The compiler's default follows the locale, which need not be
// the encoding the editor keeps the file in.
QString CompilerParameters(const QString &configured, const QString &sourceEncoding);

// The CLASSPATH a compile or run gets so that the classes shipped in shippedDir are found
// after the file's own folder ("." or the inherited CLASSPATH first), or "" to leave the
// environment alone: when the parameters choose a class path themselves, or shippedDir is
// empty or missing.
QString ShippedClassPath(const QString &parameters, const QString &shippedDir,
                         const QString &inherited);

// The program's environment with CLASSPATH set to classPath.
QProcessEnvironment ClassPathEnvironment(const QString &classPath);

// The directory a run works in: the directory of the document's full file name.
QString WorkingDirectoryOf(const QString &fileName);
// The class file that a compile of the document produces: the file name with its
// extension (from the last dot of the name part) replaced by ".class".
QString ClassFileOf(const QString &fileName);
