#pragma once

#include "codegen/NewFile.h"

#include <QString>
#include <QStringList>

// The state of the new-file wizard's controls that its OK button reads. Indices are list
// positions counted from 0, as the controls report them; -1 means nothing selected.
struct NewJavaFileForm {
    QString className; // "Hauptname" as typed
    int page = 0;      // the shown page, 0 to 6, one per program kind
    // page 0: JFrame as a simple dialog
    bool dialogBorderLayout = true; // false: GridbagLayout
    int dialogElement = 0;
    int buttonCount = 0;
    // page 1: SDI frame
    bool sdiBorderLayout = true; // false: GridBagLayout
    bool sdiProgInfo = false;
    bool sdiSplit = false;
    int sdiElement1 = 0;
    int sdiElement2 = 0;
    // page 2: MDI frame
    QString internalFrameName = QStringLiteral("myInternalFrame");
    bool mdiProgInfo = false;
};

// Which control gets the focus when a check fails.
enum class NewJavaFileField { None, ClassName, InternalFrameName };

// The outcome of the OK button: either a result to hand to the frame or a message.
struct NewJavaFileCheck {
    bool ok = false;
    QString message; // error text, caption "Fehler"; empty when ok
    NewJavaFileField focus = NewJavaFileField::None;
    TNewFile result; // filled only when ok
};

// Checks the input in the wizard's order and maps the shown page's options to a TNewFile.
NewJavaFileCheck CheckNewJavaFile(const NewJavaFileForm &form);

// The eight main elements as the first element lists show them.
QStringList JavaElementEntries();
// The same for the second element of a split pane (its third entry reads differently).
QStringList SecondJavaElementEntries();
