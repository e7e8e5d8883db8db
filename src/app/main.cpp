#include "QuillApplication.h"

#include "common/QtUiProvider.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
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

    QtUiProvider provider;
    setUi(&provider);

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Java-Umgebung"));
    frame.showMaximized();
    const int result = app.exec();
    setUi(nullptr);
    return result;
}
