#pragma once

#include "HelpContext.h"

#include <QWidget>

class QTextBrowser;

// The help window: the program's HTML help in a text browser, opened at the section of a
// help context.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the help file at the section of the context; false (after a German notice) when
    // the help file is missing.
    bool showContext(int context);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

// Opens the help at the section of the context (10500 "Allgemein", 10600 "Schriften",
// 10700 "Compiler / Run"; HelpStart shows the start of the help, for the "&Hilfe" menu). One help
// window per owner window is reused; with an owner the help stays usable while the owner is modal.
void ShowHelp(int context, QWidget *owner = nullptr);
