#pragma once

#include "codegen/NewFile.h"
#include "codegen/NewJavaFileForm.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QStatusBar;

// The modal new-file wizard "Neues Java-Dokument": a class name, one of seven program kinds
// and that kind's options. It only collects and checks; Result() is the description the
// template generator fills a new window from (Kind 0 when nothing is to be created).
class TFNewJavaFile : public QDialog {
    Q_OBJECT
public:
    explicit TFNewJavaFile(QWidget *parent = nullptr);

    // The wizard's result; empty (Kind 0) unless OK was accepted.
    const TNewFile &Result() const { return m_result; }
    // The controls' state as the OK button reads it.
    NewJavaFileForm FormState() const;

    QLabel *Label1;
    QLabel *Label3;
    QLineEdit *EDateiname;
    QGroupBox *GroupBox1;
    QRadioButton *rbJFrameDialog;
    QRadioButton *rbJFrameSDI;
    QRadioButton *rbJFrameMDI;
    QRadioButton *rbJDialog;
    QRadioButton *rbJFrameBoxLayout;
    QRadioButton *rbKonsolepur;
    QRadioButton *rbKonsoleBrenntal;
    QStackedWidget *Notebook1;
    QPushButton *BnOK;
    QPushButton *BnEsc;
    // Hints on the class name while it is typed.
    QStatusBar *StatusBar1;
    // page 0
    QGroupBox *GroupBox2;
    QRadioButton *rbJFrame_Dialog_BorderLayout;
    QRadioButton *rbJFrame_Dialog_GridbagLayout;
    QGroupBox *GroupBox5;
    QLabel *Label4;
    QComboBox *cbJFrameElement;
    QLabel *Label5;
    QSpinBox *spAnzZusSchalter;
    // page 1
    QGroupBox *GroupBox3;
    QRadioButton *rbJFrame_SDI_BorderLayout;
    QRadioButton *rbJFrame_SDI_GridBagLayout;
    QCheckBox *cbrFrame_SDI_ProgInfo;
    QGroupBox *GroupBox4;
    QCheckBox *cbrFrame_SDI_Split;
    QLabel *LElement1;
    QComboBox *cbSDIElement1;
    QLabel *LElement2;
    QComboBox *cbSDIElement2;
    // page 2
    QLabel *Label2;
    QLineEdit *MDI_NameInternalFrame;
    QCheckBox *cbrFrame_MDI_ProgInfo;

public slots:
    void FormCreate();
    void rbJFrameDialogClick();
    void rbJFrameSDIClick();
    void rbJFrameMDIClick();
    void rbJDialogClick();
    void rbJFrameBoxLayoutClick();
    void rbKonsolepurClick();
    void rbKonsoleBrenntalClick();
    void cbrFrame_SDI_SplitClick();
    void EDateinameChange();
    void BnOKClick();
    void BnEscClick();

private:
    void buildControls();
    QWidget *buildDialogPage();
    QWidget *buildSdiPage();
    QWidget *buildMdiPage();

    TNewFile m_result;
};

// Shows the wizard modally over parent and returns its result (Kind 0 when cancelled).
TNewFile RunNewJavaFileWizard(QWidget *parent);
