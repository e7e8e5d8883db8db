#include "codegen/TFNewDataTyp.h"

#include "codegen/FormHelpers.h"
#include "common/CommandGuard.h"

#include "common/Helpers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TFNewDataTyp::TFNewDataTyp(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FNewDataTyp"));
    setWindowTitle(T("Neuer Datentyp"));

    Label1 = Named(new QLabel(T("Name"), this), "Label1");
    EName = Named(new QLineEdit(this), "EName");
    Label1->setBuddy(EName);

    GroupBox1 = Named(new QGroupBox(T("Datentyp"), this), "GroupBox1");
    RByte = Named(new QRadioButton(T("Byte (-128 -> +127)")), "RByte");
    RShort = Named(new QRadioButton(T("Short (-32768 Þ 32767)")), "RShort");
    RInt = Named(new QRadioButton(T("Int (-2.14e+9 Þ 2.14e+9)")), "RInt");
    RLong = Named(new QRadioButton(T("Long (-9.22e+18 Þ 9.22e+18)")), "RLong");
    RFloat = Named(new QRadioButton(T("Float (7 Stellen)")), "RFloat");
    RDouble = Named(new QRadioButton(T("Double (15 Stellen)")), "RDouble");
    RChar = Named(new QRadioButton(T("Char")), "RChar");
    RString = Named(new QRadioButton(T("String")), "RString");
    RBoolean = Named(new QRadioButton(T("Boolean")), "RBoolean");
    RInt->setChecked(true);
    auto *types = new QVBoxLayout(GroupBox1);
    for (QRadioButton *button : typeButtons())
        types->addWidget(button);

    BnOk = Named(new QPushButton(T("&Ok"), this), "BnOk");
    BnOk->setDefault(true);
    BnAbbruch = Named(new QPushButton(T("Abbruch"), this), "BnAbbruch");
    ConnectCommand(BnOk, &QPushButton::clicked, this, &TFNewDataTyp::BnOkClick);
    ConnectCommand(BnAbbruch, &QPushButton::clicked, this, &TFNewDataTyp::BnAbbruchClick);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(EName, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BnOk);
    buttons->addWidget(BnAbbruch);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);

    FormCreate();
}

QList<QRadioButton *> TFNewDataTyp::typeButtons() const {
    return {RByte, RShort, RInt, RLong, RFloat, RDouble, RChar, RString, RBoolean};
}

QString TFNewDataTyp::Name() const {
    return EName->text();
}

void TFNewDataTyp::FormCreate() {
    EName->clear();
    m_accepted = false;
    EName->setFocus();
}

void TFNewDataTyp::BnOkClick() {
    const QString notice = NewDataTypNotice(EName->text());
    if (!notice.isEmpty()) {
        EName->setFocus();
        ShowWarningBox(T("Hinweis"), notice);
        return;
    }
    const QList<QRadioButton *> buttons = typeButtons();
    const QStringList javaTypes = NewDataTypJavaTypes();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i)->isChecked())
            m_type = javaTypes.at(i);
    }
    m_accepted = true;
    accept();
}

void TFNewDataTyp::BnAbbruchClick() {
    reject();
}

void TFNewDataTyp::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Centred on the screen rather than on the editor window.
    if (const QScreen *where = screen())
        move(where->availableGeometry().center() - rect().center());
}

std::optional<NewDataTypChoice> AskNewDataTyp(QWidget *parent) {
    TFNewDataTyp dialog(parent);
    dialog.exec();
    if (!dialog.Accepted())
        return std::nullopt;
    return NewDataTypChoice{dialog.Name(), dialog.Type()};
}
