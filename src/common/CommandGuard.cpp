#include "CommandGuard.h"

#include "Helpers.h"
#include "QuillError.h"

void ReportCommandError(std::exception_ptr error) noexcept {
    const QString caption = QStringLiteral("Fehler");
    try {
        try {
            std::rethrow_exception(error);
        } catch (const QuillError &failure) {
            ShowErrorBox(caption, failure.message());
        } catch (const std::exception &failure) {
            ShowErrorBox(caption, QString::fromLocal8Bit(failure.what()));
        } catch (...) {
            ShowErrorBox(caption, QStringLiteral("Unbekannter Fehler"));
        }
    } catch (...) {
        // Showing the report failed as well; the command has ended either way.
    }
}
