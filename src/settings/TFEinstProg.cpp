#include "TFEinstProg.h"

#include "common/CommandGuard.h"
#include "DialogParts.h"
#include "HelpWindow.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace DialogParts;

TFEinstProg::TFEinstProg(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FEinstProg"));
    makeFixedDialog(this, QStringLiteral("Einstellungen"));
    auto *grid = new QGridLayout;
    QPushButton *compilerSearch = nullptr;
    QPushButton *linkerSearch = nullptr;
    compilerRows(this, grid, m_eCompiler, m_eCompilerParameter, m_eRun, m_eRunParameter,
                 compilerSearch, linkerSearch);
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *help = nullptr;
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(okCancelHelp(this, ok, cancel, help));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ConnectCommand(compilerSearch, &QPushButton::clicked, this,
                   &TFEinstProg::BnCompilerSearchClick);
    ConnectCommand(linkerSearch, &QPushButton::clicked, this, &TFEinstProg::BnLinkerSearchClick);
    ConnectCommand(ok, &QPushButton::clicked, this, &TFEinstProg::BnOkayClick);
    ConnectCommand(cancel, &QPushButton::clicked, this, &TFEinstProg::BnAbbruchClick);
    ConnectCommand(help, &QPushButton::clicked, this, &TFEinstProg::BnHilfeClick);
    ConnectCommand(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
                   &TFEinstProg::BnHilfeClick);
}

void TFEinstProg::Init() {
    m_model.InitProg();
    m_closing = false;
    m_eCompiler->setText(m_model.values.compiler);
    m_eCompilerParameter->setText(m_model.values.compilerParameter);
    m_eRun->setText(m_model.values.run);
    m_eRunParameter->setText(m_model.values.runParameter);
    exec();
}

void TFEinstProg::readValues() {
    m_model.values.compiler = m_eCompiler->text();
    m_model.values.compilerParameter = m_eCompilerParameter->text();
    m_model.values.run = m_eRun->text();
    m_model.values.runParameter = m_eRunParameter->text();
}

void TFEinstProg::BnOkayClick() {
    readValues();
    m_model.BnOkayClick();
    accept();
}

void TFEinstProg::BnAbbruchClick() {
    m_model.BnAbbruchClick();
    reject();
}

void TFEinstProg::done(int result) {
    if (!m_closing) {
        m_closing = true;
        readValues();
        m_model.FormCloseQuery();
    }
    QDialog::done(result);
}

void TFEinstProg::BnHilfeClick() {
    ShowHelp(m_model.helpContext(), this);
}

void TFEinstProg::BnCompilerSearchClick() {
    readValues();
    if (m_model.BnCompilerSearchClick())
        m_eCompiler->setText(m_model.values.compiler);
}

void TFEinstProg::BnLinkerSearchClick() {
    readValues();
    if (m_model.BnLinkerSearchClick())
        m_eRun->setText(m_model.values.run);
}
