#pragma once

#include "RunPlan.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A program that needs a window of its own runs inside a terminal emulator, so the user
// sees its output and can type its input.

// Environment variable naming the terminal to use before any other (program and leading
// arguments, split like shell words); lets tests capture the composed command.
inline constexpr char TerminalOverrideVariable[] = "QUILL_TERMINAL_CMD";

// The Debian package proposed when no terminal can be found.
inline constexpr char TerminalPackage[] = "xterm";

// Finds a terminal: QUILL_TERMINAL_CMD, then $TERMINAL, then x-terminal-emulator, then a
// list of common ones. findExecutable maps a name to a full path ("" when missing).
// Returns the terminal's program and the leading arguments given with it, or nothing.
std::optional<Command> FindTerminal(const std::function<QString(const QString &)> &environment,
                                    const std::function<QString(const QString &)> &findExecutable);
// The same with the process's environment and search path.
std::optional<Command> FindTerminal();

// The command that runs inner (program and arguments, each one argument of the terminal,
// never one string) in the terminal, in workingDir, keeping the window open after the
// program ends where the terminal offers that. The terminal's kind is taken from its file
// name after following links (x-terminal-emulator is a link to the real one).
Command ComposeTerminalCommand(const Command &terminal, const Command &inner,
                               const QString &workingDir);

// The German message shown when no terminal can be found.
QString NoTerminalMessage();
