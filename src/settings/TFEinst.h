#pragma once

#include "EinstModel.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// The settings dialog "Einstellungen" with its seven tabs. A thin view over EinstModel:
// the controls show the model's values and every handler hands over to the model.
class TFEinst : public QDialog {
    Q_OBJECT

public:
    explicit TFEinst(QWidget *parent = nullptr);

    // Fills the controls from the settings and shows the dialog modally; returns when it
    // has closed (the dialog-result text says whether it was confirmed).
    void Init();

    EinstModel &model() { return m_model; }
    QTabWidget *MainTab() const { return m_main; }

    void BnOkayClick();
    void BnAbbruchClick();
    void BnAendernSchriftClick();
    void BnSchriftFarbeClick();
    void RTabellenschriftClick();
    void RDruckerSchriftClick();
    void MainTabChange(int index);
    void BnHilfeClick();
    void BnCompilerSearchClick();
    void BnLinkerSearchClick();
    void BnCompileClick();
    void BnRunClick();
    void BnPanelFarbeClick(int index);

    // Fills the controls from the model (after Init, or in tests after changing it).
    void showValues();

protected:
    // Every way of closing ends here: FormCloseQuery takes over the controls unless cancelled.
    void done(int result) override;

private:
    QWidget *createAllgemein();
    QWidget *createSchriften();
    QWidget *createCompilerRun();
    QWidget *createTastencode();
    QWidget *createExperte();
    QWidget *createUndoRedo();
    QWidget *createEditorfarben();
    // The shortcut dialog for "Compiler starten" (true) or "Programm starten".
    void chooseShortkey(bool compiler);
    void readValues();
    void showSample();
    void showPanel(int index);

    EinstModel m_model;
    bool m_closing = false;
    QTabWidget *m_main = nullptr;
    // "Allgemein"
    QCheckBox *m_cMainFensterMaximal = nullptr;
    QCheckBox *m_cImmerSicherheitsabfrage = nullptr;
    QCheckBox *m_cSucheAmAktuellenCursor = nullptr;
    QCheckBox *m_cFensterMaximal = nullptr;
    QSpinBox *m_eTabBreite = nullptr;
    QCheckBox *m_cInEditMitTabs = nullptr;
    QCheckBox *m_cAutomatischEinruecken = nullptr;
    QCheckBox *m_cBakDatei = nullptr;
    // "Compiler / Run"
    QCheckBox *m_cFehlerMarkieren = nullptr;
    // "Schriften"
    QLabel *m_lSchriftname = nullptr;
    QLabel *m_lSchriftgroesse = nullptr;
    QLabel *m_lSchriftbeispiel = nullptr;
    QRadioButton *m_rTabellenschrift = nullptr;
    QRadioButton *m_rDruckerSchrift = nullptr;
    // "Compiler / Run"
    QLineEdit *m_eCompiler = nullptr;
    QLineEdit *m_eCompilerParameter = nullptr;
    QLineEdit *m_eRun = nullptr;
    QLineEdit *m_eRunParameter = nullptr;
    // "Tastencode"
    QLineEdit *m_eKeyCompiler = nullptr;
    QLineEdit *m_eKeyRun = nullptr;
    // "Experte"
    QRadioButton *m_rValue = nullptr;
    QRadioButton *m_rThisX = nullptr;
    // "Undo / Redo"
    QRadioButton *m_rUndoMitTasten = nullptr;
    QRadioButton *m_rUndoMitTimer = nullptr;
    QSpinBox *m_spUndoIntervall = nullptr;
    // "Editorfarben"
    std::array<QFrame *, 4> m_colorPanels{};
};
