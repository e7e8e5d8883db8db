#pragma once

#include "EinstModel.h"

#include <QDialog>

class QLineEdit;

// The compiler and runtime settings dialog "Einstellungen" of the editor window: the four
// fields of the tab "Compiler / Run" with the same closing rules as TFEinst.
class TFEinstProg : public QDialog {
    Q_OBJECT

public:
    explicit TFEinstProg(QWidget *parent = nullptr);

    // Fills the fields from the settings and shows the dialog modally.
    void Init();

    EinstModel &model() { return m_model; }

    void BnOkayClick();
    void BnAbbruchClick();
    void BnHilfeClick();
    void BnCompilerSearchClick();
    void BnLinkerSearchClick();

protected:
    void done(int result) override;

private:
    void readValues();

    EinstModel m_model;
    bool m_closing = false;
    QLineEdit *m_eCompiler = nullptr;
    QLineEdit *m_eCompilerParameter = nullptr;
    QLineEdit *m_eRun = nullptr;
    QLineEdit *m_eRunParameter = nullptr;
};
