#include "codegen/TFNewJavaFile.h"

#include "codegen/FormHelpers.h"
#include "codegen/JavaNames.h"
#include "common/CommandGuard.h"

#include "common/Helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

TFNewJavaFile::TFNewJavaFile(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FNewJavaFile"));
    setWindowTitle(T("Neues Java-Dokument"));
    buildControls();
    FormCreate();
}

void TFNewJavaFile::buildControls() {
    Label1 = Named(new QLabel(T("Erstellen einer neuen Java-Datei"), this), "Label1");
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    Label1->setFont(titleFont);
    QPalette titlePalette = Label1->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(titlePalette);

    Label3 = Named(new QLabel(T("Hauptname"), this), "Label3");
    EDateiname = Named(new QLineEdit(this), "EDateiname");
    Label3->setBuddy(EDateiname);
    ConnectCommand(EDateiname, &QLineEdit::textChanged, this, &TFNewJavaFile::EDateinameChange);

    GroupBox1 = Named(new QGroupBox(T("Auswahl"), this), "GroupBox1");
    rbJFrameDialog = Named(new QRadioButton(T("JFrame (als einfacher Dialog)")), "rbJFrameDialog");
    rbJFrameSDI = Named(new QRadioButton(T("JFrame (SDI)")), "rbJFrameSDI");
    rbJFrameMDI = Named(new QRadioButton(T("JFrame (MDI)")), "rbJFrameMDI");
    rbJDialog = Named(new QRadioButton(T("JDialog")), "rbJDialog");
    rbJFrameBoxLayout = Named(new QRadioButton(T("JFrame Box-Layout")), "rbJFrameBoxLayout");
    rbKonsolepur = Named(new QRadioButton(T("Konsole pur")), "rbKonsolepur");
    rbKonsoleBrenntal = Named(new QRadioButton(T("Konsole Brenntal")), "rbKonsoleBrenntal");
    rbJFrameDialog->setChecked(true);
    auto *kinds = new QVBoxLayout(GroupBox1);
    const std::pair<QRadioButton *, void (TFNewJavaFile::*)()> kindHandlers[] = {
        {rbJFrameDialog, &TFNewJavaFile::rbJFrameDialogClick},
        {rbJFrameSDI, &TFNewJavaFile::rbJFrameSDIClick},
        {rbJFrameMDI, &TFNewJavaFile::rbJFrameMDIClick},
        {rbJDialog, &TFNewJavaFile::rbJDialogClick},
        {rbJFrameBoxLayout, &TFNewJavaFile::rbJFrameBoxLayoutClick},
        {rbKonsolepur, &TFNewJavaFile::rbKonsolepurClick},
        {rbKonsoleBrenntal, &TFNewJavaFile::rbKonsoleBrenntalClick}};
    for (const auto &[button, handler] : kindHandlers) {
        kinds->addWidget(button);
        // Arrow keys move the check within the group too, so follow the check, not the click.
        ConnectCommand(button, &QRadioButton::toggled, this,
                       [this, handler = handler](bool checked) {
                           if (checked)
                               (this->*handler)();
                       });
    }
    kinds->addStretch();

    Notebook1 = Named(new QStackedWidget(this), "Notebook1");
    Notebook1->addWidget(buildDialogPage());
    Notebook1->addWidget(buildSdiPage());
    Notebook1->addWidget(buildMdiPage());
    for (int page = 3; page <= 6; ++page) // kinds without options
        Notebook1->addWidget(new QWidget);

    BnOK = Named(new QPushButton(T("&OK"), this), "BnOK");
    BnOK->setDefault(true);
    BnEsc = Named(new QPushButton(T("&Abbruch"), this), "BnEsc");
    ConnectCommand(BnOK, &QPushButton::clicked, this, &TFNewJavaFile::BnOKClick);
    ConnectCommand(BnEsc, &QPushButton::clicked, this, &TFNewJavaFile::BnEscClick);
    StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(Label3);
    nameRow->addWidget(EDateiname, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(GroupBox1);
    middle->addWidget(Notebook1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BnOK);
    buttons->addWidget(BnEsc);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(nameRow);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
}

QWidget *TFNewJavaFile::buildDialogPage() {
    auto *page = new QWidget;
    GroupBox2 = Named(new QGroupBox(T("Layout"), page), "GroupBox2");
    rbJFrame_Dialog_BorderLayout =
        Named(new QRadioButton(T("BorderLayout")), "rbJFrame_Dialog_BorderLayout");
    rbJFrame_Dialog_GridbagLayout =
        Named(new QRadioButton(T("GridbagLayout")), "rbJFrame_Dialog_GridbagLayout");
    rbJFrame_Dialog_BorderLayout->setChecked(true);
    auto *layouts = new QVBoxLayout(GroupBox2);
    layouts->addWidget(rbJFrame_Dialog_BorderLayout);
    layouts->addWidget(rbJFrame_Dialog_GridbagLayout);

    GroupBox5 = Named(new QGroupBox(T("GUI-Elemente"), page), "GroupBox5");
    Label4 = Named(new QLabel(T("Hauptelement")), "Label4");
    // Only the eight listed elements can be generated, so nothing else can be typed.
    cbJFrameElement = Named(new QComboBox, "cbJFrameElement");
    Label4->setBuddy(cbJFrameElement);
    Label5 = Named(new QLabel(T("Anzahl zus. Schalter")), "Label5");
    spAnzZusSchalter = Named(new QSpinBox, "spAnzZusSchalter");
    spAnzZusSchalter->setRange(0, 5);
    Label5->setBuddy(spAnzZusSchalter);
    auto *elements = new QGridLayout(GroupBox5);
    elements->addWidget(Label4, 0, 0);
    elements->addWidget(cbJFrameElement, 0, 1);
    elements->addWidget(Label5, 1, 0);
    elements->addWidget(spAnzZusSchalter, 1, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox5);
    layout->addStretch();
    return page;
}

QWidget *TFNewJavaFile::buildSdiPage() {
    auto *page = new QWidget;
    GroupBox3 = Named(new QGroupBox(T("Layout"), page), "GroupBox3");
    rbJFrame_SDI_BorderLayout =
        Named(new QRadioButton(T("BorderLayout")), "rbJFrame_SDI_BorderLayout");
    rbJFrame_SDI_GridBagLayout =
        Named(new QRadioButton(T("GridBagLayout")), "rbJFrame_SDI_GridBagLayout");
    rbJFrame_SDI_BorderLayout->setChecked(true);
    cbrFrame_SDI_ProgInfo = Named(new QCheckBox(T("ProgammInfo")), "cbrFrame_SDI_ProgInfo");
    auto *layouts = new QVBoxLayout(GroupBox3);
    layouts->addWidget(rbJFrame_SDI_BorderLayout);
    layouts->addWidget(rbJFrame_SDI_GridBagLayout);
    layouts->addWidget(cbrFrame_SDI_ProgInfo);

    GroupBox4 = Named(new QGroupBox(T("Haupt-Element(e)"), page), "GroupBox4");
    cbrFrame_SDI_Split = Named(new QCheckBox(T("Split-Element")), "cbrFrame_SDI_Split");
    ConnectCommand(cbrFrame_SDI_Split, &QCheckBox::toggled, this,
                   &TFNewJavaFile::cbrFrame_SDI_SplitClick);
    LElement1 = Named(new QLabel(T("Element")), "LElement1");
    cbSDIElement1 = Named(new QComboBox, "cbSDIElement1");
    LElement1->setBuddy(cbSDIElement1);
    LElement2 = Named(new QLabel(T("2. Element")), "LElement2");
    cbSDIElement2 = Named(new QComboBox, "cbSDIElement2");
    LElement2->setBuddy(cbSDIElement2);
    auto *elements = new QGridLayout(GroupBox4);
    elements->addWidget(cbrFrame_SDI_Split, 0, 0, 1, 2);
    elements->addWidget(LElement1, 1, 0);
    elements->addWidget(cbSDIElement1, 1, 1);
    elements->addWidget(LElement2, 2, 0);
    elements->addWidget(cbSDIElement2, 2, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(GroupBox3);
    layout->addWidget(GroupBox4);
    layout->addStretch();
    return page;
}

QWidget *TFNewJavaFile::buildMdiPage() {
    auto *page = new QWidget;
    Label2 = Named(new QLabel(T("Name InternalFrame"), page), "Label2");
    MDI_NameInternalFrame = Named(new QLineEdit(page), "MDI_NameInternalFrame");
    Label2->setBuddy(MDI_NameInternalFrame);
    cbrFrame_MDI_ProgInfo = Named(new QCheckBox(T("ProgammInfo"), page), "cbrFrame_MDI_ProgInfo");
    auto *layout = new QGridLayout(page);
    layout->addWidget(Label2, 0, 0);
    layout->addWidget(MDI_NameInternalFrame, 0, 1);
    layout->addWidget(cbrFrame_MDI_ProgInfo, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    return page;
}

void TFNewJavaFile::FormCreate() {
    MDI_NameInternalFrame->setText(T("myInternalFrame"));
    EDateiname->clear();
    Notebook1->setCurrentIndex(0);
    cbJFrameElement->clear();
    cbJFrameElement->addItems(JavaElementEntries());
    cbSDIElement1->clear();
    cbSDIElement1->addItems(JavaElementEntries());
    cbSDIElement2->clear();
    cbSDIElement2->addItems(SecondJavaElementEntries());
    cbJFrameElement->setCurrentIndex(0);
    cbSDIElement1->setCurrentIndex(0);
    cbSDIElement2->setCurrentIndex(0);
    spAnzZusSchalter->setValue(0);
    cbSDIElement2->setEnabled(false);
    EDateiname->setFocus();
}

void TFNewJavaFile::rbJFrameDialogClick() {
    Notebook1->setCurrentIndex(0);
}
void TFNewJavaFile::rbJFrameSDIClick() {
    Notebook1->setCurrentIndex(1);
}
void TFNewJavaFile::rbJFrameMDIClick() {
    Notebook1->setCurrentIndex(2);
}
void TFNewJavaFile::rbJDialogClick() {
    Notebook1->setCurrentIndex(3);
}
void TFNewJavaFile::rbJFrameBoxLayoutClick() {
    Notebook1->setCurrentIndex(4);
}
void TFNewJavaFile::rbKonsolepurClick() {
    Notebook1->setCurrentIndex(5);
}
void TFNewJavaFile::rbKonsoleBrenntalClick() {
    Notebook1->setCurrentIndex(6);
}

void TFNewJavaFile::cbrFrame_SDI_SplitClick() {
    const bool split = cbrFrame_SDI_Split->isChecked();
    cbSDIElement2->setEnabled(split);
    LElement1->setText(split ? T("1. Element") : T("Element"));
}

void TFNewJavaFile::EDateinameChange() {
    StatusBar1->showMessage(ClassNameHint(EDateiname->text()));
}

NewJavaFileForm TFNewJavaFile::FormState() const {
    NewJavaFileForm form;
    form.className = EDateiname->text();
    form.page = Notebook1->currentIndex();
    form.dialogBorderLayout = rbJFrame_Dialog_BorderLayout->isChecked();
    form.dialogElement = cbJFrameElement->currentIndex();
    form.buttonCount = spAnzZusSchalter->value();
    form.sdiBorderLayout = rbJFrame_SDI_BorderLayout->isChecked();
    form.sdiProgInfo = cbrFrame_SDI_ProgInfo->isChecked();
    form.sdiSplit = cbrFrame_SDI_Split->isChecked();
    form.sdiElement1 = cbSDIElement1->currentIndex();
    form.sdiElement2 = cbSDIElement2->currentIndex();
    form.internalFrameName = MDI_NameInternalFrame->text();
    form.mdiProgInfo = cbrFrame_MDI_ProgInfo->isChecked();
    return form;
}

void TFNewJavaFile::BnOKClick() {
    const NewJavaFileCheck check = CheckNewJavaFile(FormState());
    if (!check.ok) {
        if (check.focus == NewJavaFileField::InternalFrameName)
            MDI_NameInternalFrame->setFocus();
        else
            EDateiname->setFocus();
        ShowErrorBox(T("Fehler"), check.message);
        return;
    }
    m_result = check.result;
    accept();
}

void TFNewJavaFile::BnEscClick() {
    m_result = TNewFile();
    reject();
}

TNewFile RunNewJavaFileWizard(QWidget *parent) {
    TFNewJavaFile dialog(parent);
    dialog.exec();
    return dialog.result() == QDialog::Accepted ? dialog.Result() : TNewFile();
}
