#include "codegen/NewDataTypCheck.h"

#include "codegen/JavaNames.h"

#include "common/Helpers.h"

QString NewDataTypNotice(const QString &name) {
    if (TrimBlanksAndControls(name).isEmpty())
        return QStringLiteral("Bitte einen Namen eingeben");
    for (const QChar umlaut : QStringLiteral("üöäÜÖÄß")) {
        if (name.contains(umlaut))
            return QStringLiteral("Bitte keine deutschen Sonderzeichen im Namen eingeben");
    }
    if (name.contains(QLatin1Char('.')))
        return QStringLiteral("Bitte kein Punkt im Namen eingeben");
    if (name.contains(QLatin1Char(',')))
        return QStringLiteral("Bitte kein Komma im Namen eingeben");
    return AttributeNameProblem(TrimBlanksAndControls(name));
}

QStringList NewDataTypJavaTypes() {
    return {QStringLiteral("byte"), QStringLiteral("short"),  QStringLiteral("int"),
            QStringLiteral("long"), QStringLiteral("float"),  QStringLiteral("double"),
            QStringLiteral("char"), QStringLiteral("String"), QStringLiteral("boolean")};
}
