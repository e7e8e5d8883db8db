#include "QuillApplication.h"
#include "TFMain.h"

#include "common/QtUiProvider.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[]) {
    QuillApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quendal"));
    QCoreApplication::setApplicationName(QStringLiteral("Quill"));

    // The standard dialogs speak German like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Outside a desktop session no icon theme is named; the common one is a good guess.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    QtUiProvider provider;
    setUi(&provider);

    int result = 0;
    {
        TFMain frame(QCoreApplication::arguments().mid(1));
        frame.showMaximized();
        result = app.exec();
    }
    setUi(nullptr);
    return result;
}
