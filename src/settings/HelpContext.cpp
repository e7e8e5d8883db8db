#include "HelpContext.h"

#include "Settings.h"

#include "common/ProgramDir.h"

#include <QFileInfo>

QString shippedHelpFileName() {
    return ProgramDir() + QStringLiteral("hilfe/quill.html");
}

QString helpFileName() {
    if (!Settings::HelpFileName.isEmpty() && QFileInfo(Settings::HelpFileName).isFile())
        return Settings::HelpFileName;
    return shippedHelpFileName();
}

QString helpAnchor(int context) {
    return QStringLiteral("kontext%1").arg(context);
}

QUrl helpUrl(int context) {
    QUrl url = QUrl::fromLocalFile(helpFileName());
    if (context > HelpStart)
        url.setFragment(helpAnchor(context));
    return url;
}
