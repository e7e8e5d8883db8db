#include "QuillApplication.h"

#include "common/CommandGuard.h"

QuillApplication::QuillApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool QuillApplication::notify(QObject *receiver, QEvent *event) {
    // The last resort: commands report their own errors where they are connected.
    bool handled = false;
    RunCommand([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
