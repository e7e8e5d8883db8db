#pragma once

#include <QString>

#include <stdexcept>

// An error that ends the current user action; the application's general error report
// catches it and shows its text in a message box. The program keeps running.
class QuillError : public std::runtime_error {
public:
    explicit QuillError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
