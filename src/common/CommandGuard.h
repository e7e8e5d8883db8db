#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <utility>

// The general error report: an error that no code of a command catches ends that command
// and is shown in a box with its text; the program keeps running. Qt must never see an
// exception pass through its signal delivery, so every menu item, button, timer and window
// message starts its command through here.
void RunCommand(const std::function<void()> &command) noexcept;

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
