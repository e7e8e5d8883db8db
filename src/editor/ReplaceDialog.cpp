#include "ReplaceDialog.h"

#include "common/CommandGuard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReplaceDialog::ReplaceDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ersetzen"));
    setModal(false);
    m_find = new QLineEdit(this);
    m_replace = new QLineEdit(this);
    auto *findLabel = new QLabel(QStringLiteral("Suchen &nach:"), this);
    findLabel->setBuddy(m_find);
    auto *replaceLabel = new QLabel(QStringLiteral("Ersetzen &durch:"), this);
    replaceLabel->setBuddy(m_replace);
    m_matchCase = new QCheckBox(QStringLiteral("Groß-/Kleinschreibung &beachten"), this);
    m_wholeWord = new QCheckBox(QStringLiteral("Nur &ganzes Wort"), this);

    m_findButton = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    m_findButton->setDefault(true);
    m_replaceButton = new QPushButton(QStringLiteral("&Ersetzen"), this);
    m_replaceAllButton = new QPushButton(QStringLiteral("&Alle ersetzen"), this);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    ConnectCommand(m_findButton, &QPushButton::clicked, this, &ReplaceDialog::Find);
    ConnectCommand(m_replaceButton, &QPushButton::clicked, this, [this] { emit Replace(false); });
    ConnectCommand(m_replaceAllButton, &QPushButton::clicked, this, [this] { emit Replace(true); });
    ConnectCommand(cancel, &QPushButton::clicked, this, &QDialog::close);
    auto enable = [this] {
        const bool any = !m_find->text().isEmpty();
        m_findButton->setEnabled(any);
        m_replaceButton->setEnabled(any);
        m_replaceAllButton->setEnabled(any);
    };
    ConnectCommand(m_find, &QLineEdit::textChanged, this, enable);
    enable();

    auto *grid = new QGridLayout(this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_find, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(m_replace, 1, 1);
    grid->addWidget(m_wholeWord, 2, 0, 1, 2);
    grid->addWidget(m_matchCase, 3, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findButton);
    buttons->addWidget(m_replaceButton);
    buttons->addWidget(m_replaceAllButton);
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 5, 1);
}

QString ReplaceDialog::FindText() const {
    return m_find->text();
}

void ReplaceDialog::SetFindText(const QString &text) {
    m_find->setText(text);
}

QString ReplaceDialog::ReplaceText() const {
    return m_replace->text();
}

void ReplaceDialog::SetReplaceText(const QString &text) {
    m_replace->setText(text);
}

bool ReplaceDialog::MatchCase() const {
    return m_matchCase->isChecked();
}

bool ReplaceDialog::WholeWord() const {
    return m_wholeWord->isChecked();
}
