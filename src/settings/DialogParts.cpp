#include "DialogParts.h"

#include "colormemo/ColorConvert.h"

#include <QBoxLayout>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace DialogParts {

QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *result = new QPushButton(caption, parent);
    result->setObjectName(QLatin1String(name));
    result->setAutoDefault(false);
    return result;
}

QLineEdit *edit(QWidget *parent, const char *name) {
    auto *result = new QLineEdit(parent);
    result->setObjectName(QLatin1String(name));
    result->clear();
    return result;
}

QLabel *label(QWidget *parent, const QString &text, bool wrap) {
    auto *result = new QLabel(text, parent);
    result->setWordWrap(wrap);
    return result;
}

QBoxLayout *okCancelHelp(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel,
                         QPushButton *&help) {
    ok = button(dialog, "BnOkay", QStringLiteral("&Ok"));
    ok->setDefault(true);
    cancel = button(dialog, "BnAbbruch", QStringLiteral("Abbruch"));
    help = button(dialog, "BnHilfe", QStringLiteral("&Hilfe"));
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(help);
    return row;
}

void compilerRows(QWidget *parent, QGridLayout *grid, QLineEdit *&compiler,
                  QLineEdit *&compilerParameter, QLineEdit *&run, QLineEdit *&runParameter,
                  QPushButton *&compilerSearch, QPushButton *&linkerSearch) {
    compiler = edit(parent, "ECompiler");
    compilerParameter = edit(parent, "ECompilerParameter");
    run = edit(parent, "ERun");
    runParameter = edit(parent, "ERunParameter");
    compilerSearch = button(parent, "BnCompilerSearch", QStringLiteral("&Open"));
    linkerSearch = button(parent, "BnLinkerSearch", QStringLiteral("&Open"));
    grid->addWidget(label(parent, QStringLiteral("Compiler")), 0, 0);
    grid->addWidget(compiler, 0, 1);
    grid->addWidget(compilerSearch, 0, 2);
    grid->addWidget(label(parent, QStringLiteral("Parameter")), 1, 0);
    grid->addWidget(compilerParameter, 1, 1);
    grid->addWidget(label(parent, QStringLiteral("Run")), 2, 0);
    grid->addWidget(run, 2, 1);
    grid->addWidget(linkerSearch, 2, 2);
    grid->addWidget(label(parent, QStringLiteral("Parameter")), 3, 0);
    grid->addWidget(runParameter, 3, 1);
    grid->setColumnMinimumWidth(1, 320);
}

QColor screenColor(quint32 value, const QPalette &palette) {
    return ToQColor(TColor(value), palette);
}

void makeFixedDialog(QDialog *dialog, const QString &caption) {
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setModal(true);
}

} // namespace DialogParts
