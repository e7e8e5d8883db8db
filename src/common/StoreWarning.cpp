#include "StoreWarning.h"

#include "Helpers.h"

namespace {

bool g_warned = false;

} // namespace

QString storeWarningText(const StoreProblem &problem) {
    const QString intro = QStringLiteral("Die Einstellungen können nicht gespeichert werden: ");
    if (problem.reason.isEmpty())
        return intro + problem.message;
    return intro + problem.reason + QStringLiteral("\r\n") + problem.message;
}

bool warnStoreProblemOnce(const StoreProblem &problem) {
    if (problem.isEmpty() || g_warned)
        return false;
    g_warned = true;
    ShowWarningBox(QStringLiteral("Hinweis"), storeWarningText(problem));
    return true;
}

void showStoreNotice(const QString &notice) {
    if (!notice.isEmpty())
        ShowWarningBox(QStringLiteral("Hinweis"), notice);
}

void resetStoreWarningForTesting() {
    g_warned = false;
}
