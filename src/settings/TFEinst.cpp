#include "TFEinst.h"

#include "common/CommandGuard.h"
#include "DialogParts.h"
#include "HelpWindow.h"
#include "TFShortkey.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

using namespace DialogParts;

namespace {

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption) {
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QRadioButton *radio(QWidget *parent, const char *name, const QString &caption) {
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QWidget *page(QTabWidget *tabs, const char *name, const QString &caption) {
    auto *widget = new QWidget(tabs);
    widget->setObjectName(QLatin1String(name));
    tabs->addTab(widget, caption);
    return widget;
}

} // namespace

TFEinst::TFEinst(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FEinst"));
    makeFixedDialog(this, QStringLiteral("Einstellungen"));
    m_main = new QTabWidget(this);
    m_main->setObjectName(QStringLiteral("Main"));
    m_main->setUsesScrollButtons(false); // all seven tabs in view
    createAllgemein();
    createSchriften();
    createCompilerRun();
    createTastencode();
    createExperte();
    createUndoRedo();
    createEditorfarben();

    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *help = nullptr;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_main);
    layout->addLayout(okCancelHelp(this, ok, cancel, help));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ConnectCommand(ok, &QPushButton::clicked, this, &TFEinst::BnOkayClick);
    ConnectCommand(cancel, &QPushButton::clicked, this, &TFEinst::BnAbbruchClick);
    ConnectCommand(help, &QPushButton::clicked, this, &TFEinst::BnHilfeClick);
    ConnectCommand(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
                   &TFEinst::BnHilfeClick);
    ConnectCommand(m_main, &QTabWidget::currentChanged, this, &TFEinst::MainTabChange);
}

QWidget *TFEinst::createAllgemein() {
    QWidget *tab = page(m_main, "TabAllgemein", QStringLiteral("Allgemein"));
    auto *group = new QGroupBox(QStringLiteral("Optionen"), tab);
    m_cMainFensterMaximal =
        checkBox(group, "CMainFensterMaximal", QStringLiteral("Mainfenster immer maximal"));
    m_cImmerSicherheitsabfrage =
        checkBox(group, "CImmerSicherheitsabfrage",
                 QStringLiteral("Immer eine Sicherheitsabfrage beim Schließen"));
    m_cSucheAmAktuellenCursor =
        checkBox(group, "CSucheAmAktuellenCursor", QStringLiteral("Suche am aktuellen Cursor"));
    m_cFensterMaximal = checkBox(group, "CFensterMaximal", QStringLiteral("Fenster immer maximal"));
    m_cInEditMitTabs =
        checkBox(group, "CInEditMitTabs", QStringLiteral("In den Editoren mit Tab´s"));
    m_cAutomatischEinruecken =
        checkBox(group, "CAutomatischEinruecken", QStringLiteral("Automatisch einrücken"));
    m_cBakDatei = checkBox(group, "CBakDatei",
                           QStringLiteral("Sicherheitsdatei beim Sichern erstellen (*.BAK)"));
    // The tab width has a hidden spin box without limits.
    auto *tabLabel = label(group, QStringLiteral("Tab-Breite"));
    tabLabel->setObjectName(QStringLiteral("LTabBreite"));
    m_eTabBreite = new QSpinBox(group);
    m_eTabBreite->setObjectName(QStringLiteral("ETabBreite"));
    m_eTabBreite->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    tabLabel->hide();
    m_eTabBreite->hide();

    auto *column = new QVBoxLayout(group);
    for (QWidget *widget :
         {static_cast<QWidget *>(m_cMainFensterMaximal),
          static_cast<QWidget *>(m_cImmerSicherheitsabfrage),
          static_cast<QWidget *>(m_cSucheAmAktuellenCursor),
          static_cast<QWidget *>(m_cFensterMaximal), static_cast<QWidget *>(tabLabel),
          static_cast<QWidget *>(m_eTabBreite), static_cast<QWidget *>(m_cInEditMitTabs),
          static_cast<QWidget *>(m_cAutomatischEinruecken), static_cast<QWidget *>(m_cBakDatei)})
        column->addWidget(widget);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(group);
    layout->addStretch();
    return tab;
}

QWidget *TFEinst::createSchriften() {
    QWidget *tab = page(m_main, "TabSchriften", QStringLiteral("Schriften"));
    auto *text = label(tab,
                       QStringLiteral("In diesem Dialogfenster können Sie die Schriften für die "
                                      "Tabellen bzw. für die untere Zeile bearbeiten."),
                       true);
    m_lSchriftname = label(tab, QString());
    m_lSchriftname->setObjectName(QStringLiteral("LSchriftname"));
    m_lSchriftgroesse = label(tab, QString());
    m_lSchriftgroesse->setObjectName(QStringLiteral("LSchriftgroesse"));
    m_lSchriftbeispiel = label(tab, QStringLiteral("AaBbCcDdEeFfGgHhIiJjKkLl"));
    m_lSchriftbeispiel->setObjectName(QStringLiteral("LSchriftbeispiel"));
    m_lSchriftbeispiel->setAutoFillBackground(true);
    m_lSchriftbeispiel->setMinimumHeight(48);

    auto *group = new QGroupBox(QStringLiteral("Aus&wahl"), tab);
    m_rTabellenschrift = radio(group, "RTabellenschrift", QStringLiteral("Editorschrift"));
    m_rDruckerSchrift = radio(group, "RDruckerSchrift", QStringLiteral("ErrorSchrift"));
    m_rTabellenschrift->setChecked(true);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_rTabellenschrift);
    groupLayout->addWidget(m_rDruckerSchrift);
    QPushButton *change = button(tab, "BnAendernSchrift", QStringLiteral("&Ändern"));
    QPushButton *color = button(tab, "BnSchriftFarbe", QStringLiteral("Farbe ..."));
    auto *changeButtons = new QVBoxLayout;
    changeButtons->addWidget(change);
    changeButtons->addWidget(color);
    changeButtons->addStretch();

    auto *grid = new QGridLayout(tab);
    grid->addWidget(text, 0, 0, 1, 3);
    grid->addWidget(label(tab, QStringLiteral("Fontname:")), 1, 0);
    grid->addWidget(m_lSchriftname, 1, 1);
    grid->addWidget(label(tab, QStringLiteral("Größe:")), 2, 0);
    grid->addWidget(m_lSchriftgroesse, 2, 1);
    grid->addWidget(m_lSchriftbeispiel, 3, 0, 1, 2);
    grid->addWidget(group, 1, 2, 2, 1);
    grid->addLayout(changeButtons, 3, 2);
    grid->setRowStretch(4, 1);

    ConnectCommand(m_rTabellenschrift, &QRadioButton::clicked, this,
                   &TFEinst::RTabellenschriftClick);
    ConnectCommand(m_rDruckerSchrift, &QRadioButton::clicked, this, &TFEinst::RDruckerSchriftClick);
    ConnectCommand(change, &QPushButton::clicked, this, &TFEinst::BnAendernSchriftClick);
    ConnectCommand(color, &QPushButton::clicked, this, &TFEinst::BnSchriftFarbeClick);
    return tab;
}

QWidget *TFEinst::createCompilerRun() {
    QWidget *tab = page(m_main, "TabCompilerRun", QStringLiteral("Compiler / Run"));
    auto *grid = new QGridLayout(tab);
    QPushButton *compilerSearch = nullptr;
    QPushButton *linkerSearch = nullptr;
    compilerRows(tab, grid, m_eCompiler, m_eCompilerParameter, m_eRun, m_eRunParameter,
                 compilerSearch, linkerSearch);
    m_cFehlerMarkieren = checkBox(tab, "CFehlerBeimSchreibenMarkieren",
                                  QStringLiteral("Fehler beim Schreiben markieren"));
    grid->addWidget(m_cFehlerMarkieren, 4, 1);
    grid->setRowStretch(5, 1);
    ConnectCommand(compilerSearch, &QPushButton::clicked, this, &TFEinst::BnCompilerSearchClick);
    ConnectCommand(linkerSearch, &QPushButton::clicked, this, &TFEinst::BnLinkerSearchClick);
    return tab;
}

QWidget *TFEinst::createTastencode() {
    QWidget *tab = page(m_main, "TabTastencode", QStringLiteral("Tastencode"));
    m_eKeyCompiler = edit(tab, "EKeyCompiler");
    m_eKeyCompiler->setReadOnly(true);
    m_eKeyRun = edit(tab, "EKeyRun");
    m_eKeyRun->setReadOnly(true);
    QPushButton *compile = button(tab, "BnCompile", QStringLiteral("Ändern"));
    QPushButton *run = button(tab, "BnRun", QStringLiteral("Ändern"));
    auto *grid = new QGridLayout(tab);
    grid->addWidget(label(tab,
                          QStringLiteral("In diesem Dialogfenster können Sie die Tastencodes für "
                                         "einige Befehle ändern"),
                          true),
                    0, 0, 1, 3);
    grid->addWidget(label(tab, QStringLiteral("Compiler starten")), 1, 0);
    grid->addWidget(m_eKeyCompiler, 1, 1);
    grid->addWidget(compile, 1, 2);
    grid->addWidget(label(tab, QStringLiteral("Programm starten")), 2, 0);
    grid->addWidget(m_eKeyRun, 2, 1);
    grid->addWidget(run, 2, 2);
    grid->setRowStretch(3, 1);
    ConnectCommand(compile, &QPushButton::clicked, this, &TFEinst::BnCompileClick);
    ConnectCommand(run, &QPushButton::clicked, this, &TFEinst::BnRunClick);
    return tab;
}

QWidget *TFEinst::createExperte() {
    QWidget *tab = page(m_main, "TabExperte", QStringLiteral("Experte"));
    auto *group = new QGroupBox(QStringLiteral("Parameter einer Set-Methode"), tab);
    m_rValue = radio(group, "RValue", QStringLiteral("Parametername  st Value (x = value)"));
    m_rThisX = radio(group, "RThisX", QStringLiteral("Parametername ist Attribut  (this.x = x;)"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_rValue);
    groupLayout->addWidget(m_rThisX);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(label(tab,
                            QStringLiteral("In diesem Dialogfenster können Sie die Experten "
                                           "konfigurieren"),
                            true));
    layout->addWidget(group);
    layout->addStretch();
    return tab;
}

QWidget *TFEinst::createUndoRedo() {
    QWidget *tab = page(m_main, "TabUndoRedo", QStringLiteral("Undo / Redo"));
    auto *group = new QGroupBox(QStringLiteral("Auswahl"), tab);
    m_rUndoMitTasten =
        radio(group, "RUndoMitTasten", QStringLiteral("Undo jeweils bei einem Tastendruck"));
    m_rUndoMitTimer = radio(group, "RUndoMitTimer", QStringLiteral("Undo mit festem Intervall"));
    m_spUndoIntervall = new QSpinBox(group);
    m_spUndoIntervall->setObjectName(QStringLiteral("spUndoIntervall"));
    m_spUndoIntervall->setRange(EinstValues::UndoIntervallMin, EinstValues::UndoIntervallMax);
    m_spUndoIntervall->setValue(EinstValues::UndoIntervallDesign);
    m_spUndoIntervall->setEnabled(false);
    auto *grid = new QGridLayout(group);
    grid->addWidget(m_rUndoMitTasten, 0, 0, 1, 3);
    grid->addWidget(m_rUndoMitTimer, 1, 0, 1, 3);
    grid->addWidget(label(group, QStringLiteral("Intervall")), 2, 0);
    grid->addWidget(m_spUndoIntervall, 2, 1);
    grid->addWidget(label(group, QStringLiteral("[Sekunden]")), 2, 2);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(label(
        tab,
        QStringLiteral("In diesem Dialogfenster können Sie bestimmen, wie das Program mdie "
                       "Undo-Funktion benutzt. Zum einen bei jedem Tastendruck oder jeweils alle "
                       "5 Sekunden. Ist der Inhalt gleich, wird kein weiteres \"Backup\" gemacht"),
        true));
    layout->addWidget(group);
    layout->addStretch();
    return tab;
}

QWidget *TFEinst::createEditorfarben() {
    QWidget *tab = page(m_main, "TabEditorfarben", QStringLiteral("Editorfarben"));
    auto *group = new QGroupBox(QStringLiteral("Farben für die Farbschriften"), tab);
    auto *grid = new QGridLayout(group);
    const QStringList rows = {QStringLiteral("Operatoren"), QStringLiteral("Klassen"),
                              QStringLiteral("Java Begriffe"), QStringLiteral("Kommentar")};
    for (int i = 0; i < 4; ++i) {
        auto *panel = new QFrame(group);
        panel->setObjectName(QStringLiteral("ColorPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setFixedSize(64, 20);
        m_colorPanels[size_t(i)] = panel;
        auto *change = new QPushButton(QStringLiteral("&%1").arg(i + 1), group);
        change->setObjectName(QStringLiteral("BnPanelFarbe%1").arg(i));
        change->setAutoDefault(false);
        grid->addWidget(label(group, rows.at(i)), i, 0);
        grid->addWidget(panel, i, 1);
        grid->addWidget(change, i, 2);
        ConnectCommand(change, &QPushButton::clicked, this, [this, i] { BnPanelFarbeClick(i); });
    }
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(group);
    layout->addStretch();
    return tab;
}

void TFEinst::Init() {
    m_model.Init();
    m_closing = false;
    m_main->setCurrentIndex(0);
    showValues();
    RTabellenschriftClick();
    exec();
}

void TFEinst::showValues() {
    const EinstValues &v = m_model.values;
    m_eTabBreite->setValue(v.tabBreite);
    m_cSucheAmAktuellenCursor->setChecked(v.sucheAmAktuellenCursor);
    for (int i = 0; i < 4; ++i)
        showPanel(i);
    m_cBakDatei->setChecked(v.bakDatei);
    m_cMainFensterMaximal->setChecked(v.mainFensterMaximal);
    m_cImmerSicherheitsabfrage->setChecked(v.immerSicherheitsabfrage);
    m_cFensterMaximal->setChecked(v.fensterMaximal);
    m_cInEditMitTabs->setChecked(v.inEditMitTabs);
    m_cAutomatischEinruecken->setChecked(v.automatischEinruecken);
    m_eCompiler->setText(v.compiler);
    m_eCompilerParameter->setText(v.compilerParameter);
    m_eRun->setText(v.run);
    m_eRunParameter->setText(v.runParameter);
    m_cFehlerMarkieren->setChecked(v.fehlerMarkieren);
    m_eKeyCompiler->setText(v.keyCompiler);
    m_eKeyRun->setText(v.keyRun);
    m_rValue->setChecked(v.rValue);
    m_rThisX->setChecked(!v.rValue);
    m_rUndoMitTasten->setChecked(v.undoMitTasten);
    m_rUndoMitTimer->setChecked(!v.undoMitTasten);
    m_spUndoIntervall->setValue(v.undoIntervall);
    m_spUndoIntervall->setEnabled(v.undoIntervallEnabled);
}

void TFEinst::readValues() {
    EinstValues &v = m_model.values;
    v.tabBreite = m_eTabBreite->value();
    v.sucheAmAktuellenCursor = m_cSucheAmAktuellenCursor->isChecked();
    v.bakDatei = m_cBakDatei->isChecked();
    v.mainFensterMaximal = m_cMainFensterMaximal->isChecked();
    v.immerSicherheitsabfrage = m_cImmerSicherheitsabfrage->isChecked();
    v.fensterMaximal = m_cFensterMaximal->isChecked();
    v.inEditMitTabs = m_cInEditMitTabs->isChecked();
    v.automatischEinruecken = m_cAutomatischEinruecken->isChecked();
    v.compiler = m_eCompiler->text();
    v.compilerParameter = m_eCompilerParameter->text();
    v.run = m_eRun->text();
    v.runParameter = m_eRunParameter->text();
    v.fehlerMarkieren = m_cFehlerMarkieren->isChecked();
    v.keyCompiler = m_eKeyCompiler->text();
    v.keyRun = m_eKeyRun->text();
    v.rValue = m_rValue->isChecked();
    v.undoMitTasten = m_rUndoMitTasten->isChecked();
    v.undoIntervall = m_spUndoIntervall->value();
}

void TFEinst::showPanel(int index) {
    QFrame *panel = m_colorPanels[size_t(index)];
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, screenColor(m_model.values.colors[size_t(index)], palette));
    panel->setPalette(palette);
}

void TFEinst::showSample() {
    const FontChoice font = m_model.sampleFont();
    m_lSchriftname->setText(font.name);
    m_lSchriftgroesse->setText(QString::number(font.size));
    QFont sample(font.name);
    if (font.size > 0)
        sample.setPointSize(font.size);
    sample.setBold(font.bold);
    m_lSchriftbeispiel->setFont(sample);
    QPalette palette = m_lSchriftbeispiel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, screenColor(font.color, palette));
    m_lSchriftbeispiel->setPalette(palette);
}

void TFEinst::BnOkayClick() {
    readValues();
    m_model.BnOkayClick();
    accept();
}

void TFEinst::BnAbbruchClick() {
    m_model.BnAbbruchClick();
    reject();
}

void TFEinst::done(int result) {
    if (!m_closing) {
        m_closing = true;
        readValues();
        m_model.FormCloseQuery();
    }
    QDialog::done(result);
}

void TFEinst::BnAendernSchriftClick() {
    if (m_model.BnAendernSchriftClick())
        showSample();
}

void TFEinst::BnSchriftFarbeClick() {
    if (m_model.BnSchriftFarbeClick())
        showSample();
}

void TFEinst::RTabellenschriftClick() {
    m_rTabellenschrift->setChecked(true);
    m_model.selectFontGroup(FontGroup::Editor);
    showSample();
}

void TFEinst::RDruckerSchriftClick() {
    m_rDruckerSchrift->setChecked(true);
    m_model.selectFontGroup(FontGroup::Error);
    showSample();
}

void TFEinst::MainTabChange(int index) {
    m_model.MainTabChange(EinstTab(index));
}

void TFEinst::BnHilfeClick() {
    ShowHelp(m_model.helpContext(), this);
}

void TFEinst::BnCompilerSearchClick() {
    readValues();
    if (m_model.BnCompilerSearchClick())
        m_eCompiler->setText(m_model.values.compiler);
}

void TFEinst::BnLinkerSearchClick() {
    readValues();
    if (m_model.BnLinkerSearchClick())
        m_eRun->setText(m_model.values.run);
}

void TFEinst::BnCompileClick() {
    chooseShortkey(true);
}

void TFEinst::BnRunClick() {
    chooseShortkey(false);
}

void TFEinst::chooseShortkey(bool compiler) {
    readValues();
    TFShortkey shortkey(this);
    shortkey.setKeysInUse(m_model.keysInUseFor(compiler));
    shortkey.exec();
    m_model.takeShortkey(compiler);
    m_eKeyCompiler->setText(m_model.values.keyCompiler);
    m_eKeyRun->setText(m_model.values.keyRun);
}

void TFEinst::BnPanelFarbeClick(int index) {
    if (m_model.BnPanelFarbeClick(index))
        showPanel(index);
}
