#include "TFShortkey.h"

#include "common/CommandGuard.h"
#include "DialogParts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DialogParts;

TFShortkey::TFShortkey(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FShortkey"));
    makeFixedDialog(this, QStringLiteral("Eingabe eines Shotkeys"));

    auto *title = label(this, QStringLiteral("Auswahl"));
    title->setObjectName(QStringLiteral("Label1"));
    auto *group = new QGroupBox(QStringLiteral("Grundtyp"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_rLeer = new QRadioButton(QStringLiteral("Leerer Eintrag"), group);
    m_rLeer->setObjectName(QStringLiteral("RLeer"));
    m_raz = new QRadioButton(QStringLiteral("A-Z  ( Strg, Umsch, Strg+Umsch)"), group);
    m_raz->setObjectName(QStringLiteral("Raz"));
    m_rF1F12 = new QRadioButton(QStringLiteral("F1-F12  ( Strg, Umsch, Strg+Umsch)"), group);
    m_rF1F12->setObjectName(QStringLiteral("RF1F12"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_rLeer);
    groupLayout->addWidget(m_raz);
    groupLayout->addWidget(m_rF1F12);

    m_cListe = new QComboBox(this);
    m_cListe->setObjectName(QStringLiteral("CListe"));
    m_cListe->setEditable(false);
    m_cListe->setMaxVisibleItems(20);

    QPushButton *ok = button(this, "BnOkay", QStringLiteral("&Ok"));
    ok->setDefault(true);
    QPushButton *cancel = button(this, "BnAbbruch", QStringLiteral("Abbruch"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_cListe);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ConnectCommand(m_rLeer, &QRadioButton::clicked, this, &TFShortkey::RLeerClick);
    ConnectCommand(m_raz, &QRadioButton::clicked, this, &TFShortkey::RazClick);
    ConnectCommand(m_rF1F12, &QRadioButton::clicked, this, &TFShortkey::RF1F12Click);
    ConnectCommand(m_cListe, &QComboBox::activated, this,
                   [this](int index) { m_model.select(index); });
    ConnectCommand(ok, &QPushButton::clicked, this, &TFShortkey::BnOkayClick);
    ConnectCommand(cancel, &QPushButton::clicked, this, &TFShortkey::BnAbbruchClick);

    // FormCreate: the model has filled the list as for "A-Z" and emptied the result.
    m_raz->setChecked(true);
    showList();
}

void TFShortkey::showList() {
    m_cListe->clear();
    m_cListe->addItems(m_model.shownEntries());
    m_cListe->setCurrentIndex(m_model.selected());
    m_cListe->setEnabled(m_model.listEnabled());
}

void TFShortkey::setKeysInUse(const QList<KeyInUse> &keys) {
    m_model.setKeysInUse(keys);
    const int selected = m_cListe->currentIndex();
    showList();
    m_cListe->setCurrentIndex(selected);
}

void TFShortkey::RazClick() {
    m_raz->setChecked(true);
    m_model.RazClick();
    showList();
}

void TFShortkey::RF1F12Click() {
    m_rF1F12->setChecked(true);
    m_model.RF1F12Click();
    showList();
}

void TFShortkey::RLeerClick() {
    m_rLeer->setChecked(true);
    m_model.RLeerClick();
    showList();
}

void TFShortkey::BnOkayClick() {
    m_model.select(m_cListe->currentIndex());
    if (m_model.BnOkayClick())
        accept(); // else the user keeps choosing
}

void TFShortkey::BnAbbruchClick() {
    m_model.BnAbbruchClick();
    reject();
}
