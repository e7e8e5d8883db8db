#pragma once

#include "KonsoleEngine.h"
#include "KonsoleHistory.h"
#include "KonsoleSession.h"

#include <QMainWindow>

#include <functional>

class CompletionIndex;
class QAction;
class QLabel;
class QPlainTextEdit;
class QToolButton;
class TColorMemo;

// The window "Java-Konsole": the transcript above, read-only, and one input line below in
// the editor's colours and font. Enter evaluates, Up and Down walk the history, Strg+Leertaste
// completes, Strg+L empties the transcript, Strg+F2 or the stop button ends an evaluation.
// A thin form over KonsoleSession; closing only hides it (its owner keeps it), so the state
// stays.
class TFKonsole : public QMainWindow {
    Q_OBJECT
public:
    // The engine is not owned and must outlive the window (a child of it is fine); the history
    // is read from historyFile ("" keeps it in memory only).
    TFKonsole(KonsoleEngine &engine, const QString &historyFile, QWidget *parent = nullptr);

    KonsoleSession &Session() { return m_session; }
    QPlainTextEdit *MemoAusgabe() const { return m_ausgabe; }
    TColorMemo *MemoEingabe() const { return m_eingabe; }
    QLabel *LPrompt() const { return m_prompt; }
    QToolButton *BnAnhalten() const { return m_stop; }
    QAction *MenuItem(const QString &objectName) const;

    // Where the console's classes come from, and the classes completion offers.
    void SetClassFolderSource(std::function<QString()> source);
    void SetCompletionClasses(std::function<const CompletionIndex *()> classes);
    // Takes the editor's font and colours and the error colour from the settings.
    void ApplySettings();

    // Shows the window (starting Java the first time) with the focus in the input line.
    void ShowKonsole();

    void MnZuruecksetzenClick();
    void MnAnhaltenClick();
    void MnLeerenClick();
    // Evaluates the input line (Enter).
    void EingabeSenden();
    void MnVervollstaendigenClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void showAppended(KonsoleText kind, const QString &text);
    void showState();
    // Up and Down: true when the key went to the history.
    bool walkHistory(bool older);

    KonsoleHistory m_history;
    KonsoleSession m_session;
    QPlainTextEdit *m_ausgabe = nullptr;
    QLabel *m_prompt = nullptr;
    TColorMemo *m_eingabe = nullptr;
    QToolButton *m_stop = nullptr;
    QColor m_errorColor;
    QColor m_noteColor;
    bool m_pendingBreak = false;
    std::function<const CompletionIndex *()> m_classes;
};
