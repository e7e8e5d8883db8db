#include "CommandGuard.h"

#include "Helpers.h"
#include "QuillError.h"

void RunCommand(const std::function<void()> &command) noexcept {
    const QString caption = QStringLiteral("Fehler");
    try {
        try {
            command();
        } catch (const QuillError &error) {
            ShowErrorBox(caption, error.message());
        } catch (const std::exception &error) {
            ShowErrorBox(caption, QString::fromLocal8Bit(error.what()));
        } catch (...) {
            ShowErrorBox(caption, QStringLiteral("Unbekannter Fehler"));
        }
    } catch (...) {
        // Showing the report failed as well; the command has ended either way.
    }
}
