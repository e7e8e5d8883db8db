#pragma once

#include "ShortkeyModel.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

// The shortcut dialog "Eingabe eines Shotkeys": a thin view over ShortkeyModel. Creating it
// empties the dialog-result text; "&Ok" puts the chosen shortcut text there (after asking,
// when another command has the key).
class TFShortkey : public QDialog {
    Q_OBJECT

public:
    explicit TFShortkey(QWidget *parent = nullptr);

    ShortkeyModel &model() { return m_model; }
    QComboBox *CListe() const { return m_cListe; }
    // The keys other commands have: the list marks them, and "&Ok" asks before taking one.
    void setKeysInUse(const QList<KeyInUse> &keys);

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
