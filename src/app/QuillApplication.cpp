#include "QuillApplication.h"

#include "common/QuillError.h"
#include "common/UiProvider.h"

QuillApplication::QuillApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool QuillApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const QuillError &error) {
        ui().messageBox(MsgIcon::Error, QStringLiteral("Fehler"), error.message(), {MsgButton::Ok});
    } catch (const std::exception &error) {
        ui().messageBox(MsgIcon::Error, QStringLiteral("Fehler"),
                        QString::fromLocal8Bit(error.what()), {MsgButton::Ok});
    }
    return false;
}
