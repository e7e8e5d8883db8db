#pragma once

#include "codegen/NewDataTypCheck.h"

#include <QDialog>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modal dialog "Neuer Datentyp": an attribute's name and its Java type for the
// attribute snippet. Read Accepted(), Name() and Type() while the dialog still exists.
class TFNewDataTyp : public QDialog {
    Q_OBJECT
public:
    explicit TFNewDataTyp(QWidget *parent = nullptr);

    // True only after an OK whose checks passed.
    bool Accepted() const { return m_accepted; }
    // The name as typed, blanks included.
    QString Name() const;
    // The Java type of the checked radio button, set by a successful OK.
    QString Type() const { return m_type; }

    QLabel *Label1;
    QLineEdit *EName;
    QGroupBox *GroupBox1;
    QRadioButton *RByte;
    QRadioButton *RShort;
    QRadioButton *RInt;
    QRadioButton *RLong;
    QRadioButton *RFloat;
    QRadioButton *RDouble;
    QRadioButton *RChar;
    QRadioButton *RString;
    QRadioButton *RBoolean;
    QPushButton *BnOk;
    QPushButton *BnAbbruch;

public slots:
    void FormCreate();
    void BnOkClick();
    void BnAbbruchClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QList<QRadioButton *> typeButtons() const;

    bool m_accepted = false;
    QString m_type;
};

// Shows the dialog modally; the name and type when it was confirmed.
std::optional<NewDataTypChoice> AskNewDataTyp(QWidget *parent);
