#include "ProgramCommands.h"
#include "QuillApplication.h"
#include "SessionRecovery.h"
#include "TFMain.h"
#include "ToolIcons.h"

#include "common/QtUiProvider.h"
#include "debugger/DebugClient.h"
#include "javarun/WarmCompileRules.h"
#include "settings/Settings.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
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
    // Our own icon, as in the desktop's menu; drawn when the SVG support is missing.
    const QIcon icon(QStringLiteral(":/quill.svg"));
    QApplication::setWindowIcon(icon.pixmap(32).isNull() ? DrawnToolIcon(ToolPicture::Application)
                                                         : icon);

    QtUiProvider provider;
    setUi(&provider);

    int result = 0;
    {
        TFMain frame(QCoreApplication::arguments().mid(1));
        ProgramCommands commands(frame);
        frame.SetCommands(&commands);
        // The debugger interface comes with a JDK: the one of the configured compiler.
        frame.SetDebugEngine(
            new DebugClient([] { return JdkLauncherFor(Settings::Compiler, Settings::Run); }));
        // Copies of unsaved changes; its end with the frame's is the program's normal end.
        SessionRecovery recovery(frame);
        // Without a window manager nobody maximises the frame: give it the whole screen.
        if (const QScreen *screen = frame.screen())
            frame.setGeometry(screen->availableGeometry());
        frame.showMaximized();
        result = app.exec();
    }
    setUi(nullptr);
    return result;
}
