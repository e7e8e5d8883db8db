#pragma once

#include "ShortkeyModel.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

// The shortcut dialog "Eingabe eines Shotkeys": a thin view over ShortkeyModel. Creating it
// empties the dialog-result text; "&Ok" puts the chosen shortcut text there.
class TFShortkey : public QDialog {
    Q_OBJECT

public:
    explicit TFShortkey(QWidget *parent = nullptr);

    ShortkeyModel &model() { return m_model; }
    QComboBox *CListe() const { return m_cListe; }

    void RazClick();
    void RF1F12Click();
    void RLeerClick();
    void BnOkayClick();
    void BnAbbruchClick();

private:
    void showList();

    ShortkeyModel m_model;
    QRadioButton *m_rLeer = nullptr;
    QRadioButton *m_raz = nullptr;
    QRadioButton *m_rF1F12 = nullptr;
    QComboBox *m_cListe = nullptr;
};
