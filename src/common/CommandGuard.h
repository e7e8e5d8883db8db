#pragma once

#include <exception>
#include <type_traits>
#include <utility>

// The general error report: an error that no code of a command catches ends that command
// and is shown in a box with its text; the program keeps running. Qt must never see an
// exception pass through its signal delivery, so every menu item, button, timer and window
// message starts its command through here.

// Shows the general error report for an error that ended a command.
void ReportCommandError(std::exception_ptr error) noexcept;

// Runs a command; an error it lets through ends it with the general error report.
template <typename Command> void RunCommand(Command &&command) noexcept {
    try {
        std::forward<Command>(command)();
    } catch (...) {
        ReportCommandError(std::current_exception());
    }
}

// A slot for connect() that runs `command` through RunCommand; the signal's arguments are
// passed on where the command takes them.
template <typename Command> auto Guarded(Command command) {
    return [command = std::move(command)](auto &&...arguments) {
        RunCommand([&] {
            if constexpr (std::is_invocable_v<Command &, decltype(arguments)...>)
                command(std::forward<decltype(arguments)>(arguments)...);
            else
                command();
        });
    };
}
