#include "FindDialog.h"

#include "common/CommandGuard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FindDialog::FindDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);
    m_text = new QLineEdit(this);
    auto *label = new QLabel(QStringLiteral("Suchen &nach:"), this);
    label->setBuddy(m_text);
    m_wholeWord = new QCheckBox(QStringLiteral("Nur &ganzes Wort"), this);
    m_matchCase = new QCheckBox(QStringLiteral("Groß-/Kleinschreibung &beachten"), this);
    auto *direction = new QGroupBox(QStringLiteral("Richtung"), this);
    m_up = new QRadioButton(QStringLiteral("Nach &oben"), direction);
    m_down = new QRadioButton(QStringLiteral("Nach &unten"), direction);
    m_down->setChecked(true);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_find = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    m_find->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    ConnectCommand(m_find, &QPushButton::clicked, this, &FindDialog::Find);
    ConnectCommand(cancel, &QPushButton::clicked, this, &QDialog::close);
    // The find button wants a text.
    ConnectCommand(m_text, &QLineEdit::textChanged, this,
                   [this](const QString &text) { m_find->setEnabled(!text.isEmpty()); });
    m_find->setEnabled(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    grid->addWidget(m_wholeWord, 1, 0, 1, 2);
    grid->addWidget(m_matchCase, 2, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_find);
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 3, 1);
}

QString FindDialog::FindText() const {
    return m_text->text();
}

void FindDialog::SetFindText(const QString &text) {
    m_text->setText(text);
}

bool FindDialog::MatchCase() const {
    return m_matchCase->isChecked();
}

bool FindDialog::Down() const {
    return m_down->isChecked();
}

bool FindDialog::WholeWord() const {
    return m_wholeWord->isChecked();
}

SearchRequest FindDialog::Request() const {
    return {FindText(), MatchCase(), Down(), WholeWord()};
}

void FindDialog::Present(const QString &proposed) {
    if (!proposed.isEmpty())
        SetFindText(proposed);
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    m_text->selectAll();
}
