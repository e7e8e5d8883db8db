#pragma once

#include "common/CommandMenus.h"
#include "debugger/DebugSession.h"
#include "editor/EditorHost.h"
#include "FrameCommands.h"
#include "FrameDebugHost.h"
#include "javahelp/CompletionSource.h"
#include "javarun/CompilerMessage.h"
#include "PanelOutput.h"
#include "RecentFiles.h"
#include "settings/ShortkeyModel.h"
#include "Workspace.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QSplitter;
class QTimer;
class QToolButton;
class TFDebugPanel;
class TFKonsole;
class TMemo;

// The main frame "Java-Umgebung": an MDI area with one editor window per file, the tool
// bar with the main-file chooser, the error panel, and the commands that concern more
// than one window. It shows its Workspace (the windows' documents, the main-file choice,
// the recent files, the running programs) and forwards the learner's choices to it.
class TFMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    // Loads every setting and the recent-file list; the start timer opens the existing
    // files among commandLine about 100 ms later.
    explicit TFMain(const QStringList &commandLine = {}, QWidget *parent = nullptr);
    ~TFMain() override;

    // Commands built elsewhere (wizard, settings dialog, class reference, tool discovery);
    // not owned, nullptr for none.
    void SetCommands(FrameCommands *commands) { m_commands = commands; }

    // EditorHost
    void EditorActivated(TFMDIQuill *window) override;
    void ForgetEditorWindow(TFMDIQuill *window) override;
    void EditorRenamed(TFMDIQuill *window, const QString &previous) override;
    void SaveAllWindows() override;
    void CloseAllWindows() override;
    void MnNeuClick() override;
    void MnOeffnenClick() override;
    void MnTaschenrechnerClick() override;
    void MnExplorerClick() override;
    void MnDOSEbeneClick() override;
    void MnNotepadClick() override;
    void MnExitClick() override;
    void BuildRecentFileItems(QAction *separator, const QList<QAction *> &items) override;
    QPlainTextEdit *MainMemo() override;
    BuildHost &Builds() override { return m_workspace; }
    QList<TFMDIQuill *> EditorWindows() const override;
    QString LastWindowFolder(const TFMDIQuill *except) const override;
    QPrinter &Printer() override;
    const CompletionIndex *CompletionClasses() override;
    LiveCheckServer *LiveChecks() override { return m_workspace.LiveChecks(); }
    const CheckExplanations *Explanations() const override { return &m_workspace.Explanations(); }

    // What the frame shows.
    Workspace &Space() { return m_workspace; }
    RunOutput &Output() { return m_output; }
    QString ChosenMainFile() const { return m_workspace.ChosenMainFile(); }

    // The error panel, the "Mit Umleitung" check box and the main-file list: one entry per
    // window in the window list's order, the short name shown, the full name as item data.
    QPlainTextEdit *Memo1() const;
    QCheckBox *cbMitUmleitung() const { return m_cbMitUmleitung; }
    QComboBox *cbMainFile() const { return m_cbMainFile; }

    // Opens one file in a new editor window; refuses missing and already open files with
    // a box. The file leaves the recent-file list.
    void OpenFileByName(const QString &fileName);
    // Creates and registers an editor window for the name (empty for a new document)
    // and the wizard's description. Throws QuillError when the INI entry cannot be written.
    TFMDIQuill *CreateEditorWindow(const QString &fileName, const TNewFile &description);

    // The start sequence: opens the command-line files, checks the Java tools.
    void Timer1Timer();

    void MnVorherigesFensterClick();
    void MnNaechstesFensterClick();
    void MnFensterTeilenClick();
    void MnFensterVertikalteilenClick();
    void MnFensterKaskadeClick();
    void MnAlleSymboleanordnenClick();
    void MnNetzwerklaufwerkVerbindenClick();
    void MnNetzwerklaufwerkTrennenClick();
    void MnDateilisteloeschenClick();
    // The settings dialog; when confirmed, fonts, shortcuts and colours go to every window.
    void MnEinstellungenClick();
    // The keys the commands of the frame and of the editor windows have by design, with
    // their captions, for the shortcut dialog to mark.
    QList<KeyInUse> KeysInUse() const;
    void MnProduktInfoClick();
    // Opens the help at its start.
    void MnHilfeClick();
    // Recent-file entry k (1..9) of either window.
    void MnAlteDateiClick(int k);

    // Tool buttons acting on the active editor window; nothing without one.
    void BnSaveFileClick();
    void BnSaveAllClick();
    void BnDruckenClick();
    void BnUndoClick();
    void BnCutClick();
    void BnPasteClick();
    void BnCompileClick();
    void BnRunClick();
    // "Programm beenden": ends what F9 started and still runs.
    void BnStopClick();
    void BnJavaHelpClick();
    // Opens the window "Java-Konsole" (made on first use, kept with its state when closed).
    void MnJavaKonsoleClick();
    // The console window once it was opened, else nullptr.
    TFKonsole *Konsole() const;

    // The debugger. The engine that debugs programs, owned by the frame from now on (nullptr
    // for none): until one is set, "Debuggen starten" says the debugger is not available.
    void SetDebugEngine(DebugEngine *engine);
    DebugSession *Debugging() override { return m_debugSession.get(); }
    // The variables and the call stack beside the error panel, shown while debugging.
    TFDebugPanel *DebugPanel() const { return m_debugPanel; }
    // Shows the debugging's state: the panel, the items of the frame and of every window.
    void ShowDebugState(DebugState state);
    // The debugger's tool buttons run the items of the active editor window.
    void BnDebuggenStartenClick();
    void BnFortsetzenClick();
    void BnUeberspringenClick();
    void BnHineinspringenClick();
    void BnRuecksprungClick();

    // Rebuilds the frame's recent-file items and points EditorPfad at the latest entry.
    void ShowRecentFiles();

    // The active editor window (the top of the stacking order), or nullptr.
    TFMDIQuill *ActiveEditorWindow() const;
    RecentFiles &Recent() { return m_workspace.Recent(); }
    QMdiArea *MdiArea() const { return m_mdiArea; }
    // The extension of the file last opened or created, with its dot.
    QString RememberedExt() const { return m_rememberedExt; }

    // Controls, for the parts that read them and for tests.
    QWidget *PanelButton() const { return m_panelButton; }
    QLabel *LMainJava() const { return m_lMainJava; }
    // The hint what to do first, on the background of the empty window area.
    QLabel *StartHint() const { return m_startHint; }
    QWidget *PanelError() const { return m_panelError; }
    QSplitter *Splitter1() const { return m_splitter1; }
    QTimer *Timer1() const { return m_timer1; }
    QAction *MnStrichAlteDateien() const { return m_recentSeparator; }
    const QList<QAction *> &MnAlteDateien() const { return m_recentItems; }
    QToolButton *ToolButton(const QString &objectName) const;

    // Brings the window of the file to the front (opening the file when no window holds
    // it) and goes to the place there (TFMDIQuill::GoToSourcePlace): every jump from the
    // panel lands here, with the message that led to the place ("" for none).
    void ShowSourcePlace(const SourcePlace &place, const QString &message = QString());
    // The place the error panel's line `index` leads to, if any, shown as ShowSourcePlace
    // does: a message of the compile the panel shows, or a line of a stack trace. False for
    // a line that leads nowhere.
    bool JumpFromPanelLine(int index);

signals:
    // A new editor window holds its document (opened, created or recovered).
    void editorWindowCreated(TFMDIQuill *window);
    // The start sequence has opened the command-line files; the Java tool check follows.
    void startFilesOpened();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createToolBar();
    void createMenus();
    void createStartHint();
    // The hint on the empty window area shows exactly while no editor window is open.
    void showStartHint();
    // The compile and run tool tips name the keys of the settings.
    void showBuildKeys();
    void applyErrorFont();
    // The frame's items lose a key that compiles or runs, and get it back once it no longer does.
    void applyBuildKeys();
    void applyEditorFont(TFMDIQuill *window) const;
    void rebuildMenuBar();
    // The editor window of the workspace's document, and whether a window is one of them.
    TFMDIQuill *windowAt(int index) const;
    bool isOpen(const TFMDIQuill *window) const;
    // Takes the window out of the workspace and shows what that changed.
    void dropWindow(TFMDIQuill *window);
    // The main-file list shows the workspace's entries and choice.
    void showMainFiles();
    void deleteTemporaryFiles() const;
    // Rebuilds the recent-file items of the frame and of every editor window.
    void refreshRecentMenus();
    void startProgram(const QStringList &candidates, const QString &errorText);
    // Restores the window if minimised, activates it and gives its text the focus.
    void showWindow(TFMDIQuill *window);

    FrameCommands *m_commands = nullptr;
    Workspace m_workspace;
    // Indexed after start-up (see Timer1Timer) off the GUI thread.
    CompletionSource m_completion;
    // Enables "Programm beenden" in the tool bar and in every editor window.
    void showProgramRunning(bool programsRunning);
    // Starts the resident compiler for the active window's folder (or the last used one).
    void prepareResidentCompiler();
    QStringList m_commandLine;
    QString m_rememberedExt;
    QPointer<TFMDIQuill> m_mergedWindow; // whose menus the menu bar shows
    bool m_closing = false;

    QMdiArea *m_mdiArea = nullptr;
    QWidget *m_panelButton = nullptr;
    QCheckBox *m_cbMitUmleitung = nullptr;
    QLabel *m_lMainJava = nullptr;
    QLabel *m_startHint = nullptr;
    QComboBox *m_cbMainFile = nullptr;
    QWidget *m_panelError = nullptr;
    TMemo *m_memo1 = nullptr;
    PanelOutput m_output{nullptr};
    QSplitter *m_splitter1 = nullptr;
    TMemo *m_mainMemo = nullptr;
    QLabel *m_labelEditorFont = nullptr;
    QLabel *m_labelErrorFont = nullptr;
    QTimer *m_timer1 = nullptr;

    QMenu *m_menuDatei = nullptr;
    QMenu *m_menuOptionen = nullptr;
    QMenu *m_menuFenster = nullptr;
    QMenu *m_menuHilfe = nullptr;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recentItems;
    // What the command table built: the menus and the item of every command.
    CommandMenus<TFMain> m_commandMenus;
    QPointer<TFKonsole> m_konsole;
    // Made on the first print or page set-up of any window.
    std::unique_ptr<QPrinter> m_printer;

    friend class FrameDebugHost;
    // Makes the session and the panel beside the error panel.
    void createDebugger();
    // Whether "Programm beenden" has something to end: a program F9 left running, or one
    // being debugged.
    bool programToEnd(bool programsRunning) const;
    // Destroyed in this order from the bottom: the session lets go of the engine first.
    std::unique_ptr<DebugEngine> m_debugEngine;
    std::unique_ptr<FrameDebugHost> m_debugHost;
    std::unique_ptr<DebugSession> m_debugSession;
    TFDebugPanel *m_debugPanel = nullptr;
};
