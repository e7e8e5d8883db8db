#include "RecoveryOffer.h"

#include <QFileInfo>

QString RecoveryQuestion(const QList<OrphanCopy> &copies) {
    QString text = QStringLiteral("Quill wurde nicht ordnungsgemäß beendet. Sollen die "
                                  "ungesicherten Änderungen an %1 Datei(en) wiederhergestellt "
                                  "werden?\r\n")
                       .arg(copies.size());
    for (const OrphanCopy &orphan : copies) {
        text += QStringLiteral("\r\n") + orphan.copy.fileName;
        if (orphan.copy.hasFile() && FileChangedSince(orphan.copy.fileName, orphan.written))
            text += QStringLiteral(" (Datei wurde inzwischen geändert)");
    }
    return text;
}

bool FileChangedSince(const QString &fileName, const QDateTime &written) {
    const QFileInfo info(fileName);
    return info.exists() && info.lastModified() > written;
}
