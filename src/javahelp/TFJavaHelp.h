#pragma once

#include "common/CommandTable.h"
#include "JavaClassList.h"

#include <QMainWindow>

#include <span>

class FindDialog;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class TMemo;

// The class reference window "Java-Hilfe": picks a class from "javaklassen.txt" in the
// program directory, shows its members filtered by the typed text and copies a member line
// with a double-click. Stays on top of the other windows.
class TFJavaHelp : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window and loads the class file (a missing or unreadable file is reported
    // in a box and leaves the class list empty).
    explicit TFJavaHelp(QWidget *parent = nullptr);

    // Opens a new reference window for the frame's button: loads the file, places the
    // window at the top right of the screen and shows it. The window is freed when closed
    // and at the latest with its parent.
    static TFJavaHelp *Open(QWidget *parent);

    QWidget *Panel1() const { return m_panel; }
    QComboBox *cbKlasse() const { return m_cbKlasse; }
    QLineEdit *ESuche() const { return m_eSuche; }
    TMemo *Memo1() const { return m_memo1; }
    TMemo *Memo2() const { return m_memo2; }
    const JavaClassList &Classes() const { return m_classes; }
    bool Loading() const { return m_loading; }
    // The window's commands: its menus, their items and what each runs.
    static std::span<const CommandRow<TFJavaHelp>> CommandTable();
    // The non-modal find dialog, made on first use and kept with its text and options.
    FindDialog *FindDialog1();

    void FormCreate();
    void cbKlasseChange();
    void ESucheChange();
    void Memo1DblClick();
    void MnBlockKopierenClick();
    void MnAllesmarkierenClick();
    void MnSuchenClick();
    void MnWeitersuchenClick();
    void FindDialog1Find();
    void MnSize_08Click() { setMemoFontSize(8); }
    void MnSize_09Click() { setMemoFontSize(9); }
    void MnSize_10Click() { setMemoFontSize(10); }
    void MnSize_11Click() { setMemoFontSize(11); }
    void MnSize_12Click() { setMemoFontSize(12); }
    void MnSize_14Click() { setMemoFontSize(13); } // the item "14 pg" sets 13 points

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void setMemoFontSize(int points);
    // Searches Memo1 from next to the caret with the find dialog's text and options; a
    // match is selected and Memo1 gets the focus.
    void findInMemo1();

    QWidget *m_panel = nullptr;
    QLabel *m_label1 = nullptr;
    QComboBox *m_cbKlasse = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_eSuche = nullptr;
    TMemo *m_memo1 = nullptr;
    TMemo *m_memo2 = nullptr;
    JavaClassList m_classes;
    bool m_loading = false;
    FindDialog *m_findDialog = nullptr;
};
