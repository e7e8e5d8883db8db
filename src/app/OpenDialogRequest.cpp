#include "OpenDialogRequest.h"

QList<FileFilter> BaseOpenFilter() {
    return {{QStringLiteral("Java-Dateien (*.Java)"), QStringLiteral("*.Java")},
            {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")}};
}

QString BaseFileMask() {
    return QStringLiteral("*.Java");
}

FileDialogRequest MakeOpenRequest(const QString &rememberedExt, const QString &directory) {
    FileDialogRequest request;
    request.title = QStringLiteral("Datei Öffnen");
    request.defaultSuffix = QStringLiteral("Java");
    request.fileName = BaseFileMask();
    request.filters = BaseOpenFilter();
    request.directory = directory;
    request.multiple = true;
    request.selectedFilter = 0;
    // A data file (".DAT") is not offered as a mask of its own.
    if (!rememberedExt.isEmpty() && rememberedExt != QLatin1String(".DAT")) {
        request.filters.prepend({QStringLiteral("Alte Dateimaske *") + rememberedExt,
                                 QStringLiteral("*") + rememberedExt});
        request.fileName = QStringLiteral("*") + rememberedExt;
    }
    return request;
}
