#pragma once

#include "RunPlan.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// When the resident compiler may stand in for the compiler process: only where it can
// promise the same class files, messages and exit status.

// The Java launcher of the JDK whose own compiler the configured one is (symbolic links
// followed, so /usr/bin/javac leads to the JDK it links into), or "" when the configured
// compiler is anything else: another program, a wrapper script, a javac without its JDK.
QString JdkLauncherOf(const QString &compiler);

// The java launcher the resident helpers that need a JDK run on (the console's shell engine,
// the debugger interface): the configured compiler's JDK; when the compiler is not a JDK's
// own, the JDK of the javac beside the configured runtime. "" when neither names a JDK.
QString JdkLauncherFor(const QString &compiler, const QString &runtime);

// True when the compiler's arguments (the configured parameters as the process gets them,
// then the source file) mean nothing that the resident compiler would do differently:
// source files and a short list of plain options, their values taken as given. Anything
// else (launcher options "-J", argument files, unknown options) goes to the process.
bool WarmArgumentsAllowed(const QStringList &arguments, bool localeIsUtf8);

// True when the environment lets a resident compiler behave like the compiler process:
// JVM options from the environment would make the process print notes of its own.
bool WarmEnvironmentAllowed(const QProcessEnvironment &environment);

// True when the locale that the environment chooses for a started program encodes in
// UTF-8 (the program's own locale may differ: the toolkit prefers UTF-8 to plain "C").
bool LocaleIsUtf8(const QProcessEnvironment &environment);

// The environment the resident compiler starts with: the program's own, without the
// options that only the java launcher (and not javac's) reads.
QProcessEnvironment CompileServerEnvironment(const QProcessEnvironment &environment);

// The name of the resident compiler's class and its class file, beside the program.
QString CompileServerClass();
QString CompileServerClassFile();

// The command that starts the resident compiler with the given launcher; its class is
// looked up in serverDir. The options keep it small (well under 200 MB).
Command CompileServerCommand(const QString &launcher, const QString &serverDir);

// Which resident compiler serves a compile: the JDK launcher it runs on and the folder it
// runs in (the compiled file's, as the compiler process would).
struct CompileServerKey {
    QString launcher;
    QString folder;
    bool operator==(const CompileServerKey &) const = default;
};

// The resident compiler for a compile with compiler in folder; none when it may not serve
// it: no server class in serverDir, an environment it cannot honour, no JDK's own compiler,
// a folder that does not exist.
std::optional<CompileServerKey> CompileServerKeyFor(const QString &serverDir,
                                                    const QString &compiler, const QString &folder);
