#pragma once

#include <QObject>

#include <exception>
#include <functional>
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

// Runs `command` through RunCommand with the signal's arguments where it takes them, else
// without them.
template <typename Command, typename... Arguments>
void RunGuardedCommand(const Command &command, Arguments &&...arguments) {
    if constexpr (std::is_invocable_v<const Command &, Arguments...>)
        RunCommand([&] { command(std::forward<Arguments>(arguments)...); });
    else
        RunCommand([&] { command(); });
}

// A slot for connect() that runs `command` through RunCommand; the signal's arguments are
// passed on where the command takes them. The constraint lets Qt ask which arguments the
// slot takes without compiling a call that cannot work.
template <typename Command> auto Guarded(Command command) {
    return [command = std::move(command)](auto &&...arguments) requires(
        std::is_invocable_v<const Command &, decltype(arguments)...> ||
        std::is_invocable_v<const Command &>) {
        RunGuardedCommand(command, std::forward<decltype(arguments)>(arguments)...);
    };
}

// A member function of `receiver` as a callable that takes the signal's arguments when the
// member takes them (and is no candidate for them otherwise, so Guarded can drop them).
template <typename Receiver, typename Member> auto BoundMember(Receiver *receiver, Member member) {
    return [receiver, member](auto &&...arguments)
               -> decltype(std::invoke(member, receiver,
                                       std::forward<decltype(arguments)>(arguments)...)) {
        return std::invoke(member, receiver, std::forward<decltype(arguments)>(arguments)...);
    };
}

// The one way a signal reaches code of ours (tst_connections keeps it so): connects `signal` of
// `sender` to `command` (a member function of `receiver`, or any callable) through Guarded, with
// `receiver` as the connection's context, so the connection ends with the receiver and no error of
// the command ever passes through Qt's signal delivery.
template <typename Sender, typename Signal, typename Receiver, typename Command>
QMetaObject::Connection ConnectCommand(Sender *sender, Signal signal, Receiver *receiver,
                                       Command command,
                                       Qt::ConnectionType type = Qt::AutoConnection) {
    if constexpr (std::is_member_function_pointer_v<Command>)
        return QObject::connect(sender, signal, receiver, Guarded(BoundMember(receiver, command)),
                                type);
    else
        return QObject::connect(sender, signal, receiver, Guarded(std::move(command)), type);
}
