#pragma once

#include <QApplication>

// The application object. Its general error report: an error that no code catches ends
// the current user action and is shown in a message box; the program keeps running.
class QuillApplication : public QApplication {
public:
    QuillApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
