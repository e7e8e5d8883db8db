#pragma once

#include <QString>

#include <QColor>

class QBoxLayout;
class QPalette;
class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small builders shared by the settings dialogs: every control gets its given name.
namespace DialogParts {

QPushButton *button(QWidget *parent, const char *name, const QString &caption);
QLineEdit *edit(QWidget *parent, const char *name);
QLabel *label(QWidget *parent, const QString &text, bool wrap = false);
// "&Ok" (default), "Abbruch" and "&Hilfe" in a row below the dialog's content.
QBoxLayout *okCancelHelp(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel,
                         QPushButton *&help);
// The four rows "Compiler", "Parameter", "Run", "Parameter" with their "&Open" buttons.
void compilerRows(QWidget *parent, QGridLayout *grid, QLineEdit *&compiler,
                  QLineEdit *&compilerParameter, QLineEdit *&run, QLineEdit *&runParameter,
                  QPushButton *&compilerSearch, QPushButton *&linkerSearch);
// The screen colour of a stored colour (0x00BBGGRR, or a system colour from the palette).
QColor screenColor(quint32 value, const QPalette &palette);
// Fixed dialog border, title bar and close box only.
void makeFixedDialog(QDialog *dialog, const QString &caption);

} // namespace DialogParts
