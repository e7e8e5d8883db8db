#pragma once

#include "codegen/NewFile.h"
#include "common/CommandMenus.h"
#include "common/UiProvider.h"
#include "debugger/DebugHost.h"
#include "editor/EditorDocument.h"
#include "editor/IncrementalSearch.h"
#include "editor/MemoCaret.h"
#include "editor/SearchLogic.h"
#include "editor/TextFile.h"
#include "settings/ShortkeyModel.h"

#include <QKeySequence>
#include <QList>
#include <QMdiSubWindow>
#include <QString>
#include <QTextEdit>

#include <memory>

class EditorHost;
struct CompletionCandidate;
class FindDialog;
class TextSource;
class QPrinter;
class ReplaceDialog;
class QAction;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QStackedWidget;
class QStatusBar;
class QTimer;
class TColorMemo;
class TMemo;
class WindowLiveCheck;
struct CompileResult;

// One document window: a child of the frame's MDI area that shows one document in two text
// controls (colour and monochrome, one of them active and shown), a status bar, and the
// menus that the frame shows merged into its menu bar while the window is active. The window talks
// to the frame only through the EditorHost it is given.
//
// Every command is a row of the window's command table (EditorMenus): a QAction named after
// its component ("MnSpeichern") that runs the public member named after the item with
// "Click" appended ("MnSpeichernClick"), connected and guarded where the menus are built.
// The snippet keys and the numbered window messages run the same members.
class TFMDIQuill : public QMdiSubWindow {
    Q_OBJECT
public:
    // Builds the form: controls, menus, hidden items, snippet captions, build shortcuts and rule
    // colours. The window deletes itself once its close has gone ahead. The host must
    // outlive the window.
    explicit TFMDIQuill(EditorHost &host, QWidget *parent = nullptr);
    ~TFMDIQuill() override;

    // Full path of the document's file, or EditorDocument::NoName() while it has none.
    QString FileName() const { return m_doc.fileName(); }
    // Directory (with its trailing separator), base name and extension (with its dot) of the
    // last requested or chosen name; kept while the document has no file.
    QString FileDir() const { return m_doc.fileDir(); }
    QString FileBase() const { return m_doc.fileBase(); }
    QString FileExt() const { return m_doc.fileExt(); }
    // The document: its text, shown by both views, its marks, undo history and file.
    const EditorDocument &Document() const { return m_doc; }
    // Filter entries of the save dialog.
    const QList<FileFilter> &SaveFilter() const { return m_saveFilter; }
    // Encoding and line-break style the document is written with.
    TextFileFormat FileFormat() const { return m_doc.format(); }

    // The two views of the document and the one every command works on.
    TColorMemo *MemoColor() const { return m_memoColor; }
    TMemo *MemoSW() const { return m_memoSW; }
    TMemo *ActiveMemo() const { return m_activeMemo; }
    // Makes one of the two views the active one and shows its page.
    void SetActiveMemo(TMemo *memo);
    // Hidden source lines that the template generator copies from.
    TMemo *MemoCascade_Tile() const { return m_memoCascadeTile; }
    QStackedWidget *Notebook1() const { return m_notebook; }
    QStatusBar *StatusBar1() const { return m_statusBar; }
    // Text of status panel 0 (caret or search prompt), 1 ("geändert") or 2 ("Ende mit ESC", or
    // the count after replace all).
    QString StatusPanel(int index) const;
    void SetStatusPanel(int index, const QString &text);
    // The undo timer (2000 ms, off until the document is initialised).
    QTimer *TimerUndo() const { return m_timerUndo; }
    // The document's undo history; it keeps the caret of the active control.
    const UndoHistory &UndoStore() const { return m_doc.undo(); }
    // The marks on the lines of the document.
    LineMarks &Marks() { return m_doc.marks(); }
    // Undo snapshots by key release (timer off) or by the timer every UndoTimerIntervall
    // seconds, as the settings say now; called when the document is initialised and by the
    // frame after the settings dialog was confirmed.
    void ConfigureUndoTimer();

    // The document's modified flag: that of the active text control.
    bool Modified() const;

    // The window's menus in menu-bar order: "&Datei" first (it replaces the frame's), then
    // "&Bearbeiten", "&Suchen", "&Einfügen", "&Ansicht", "&Versionen" (hidden) and
    // "&Compiler / Run". Owned by the window.
    QList<QMenu *> Menus() const { return m_menus; }
    // The menu item or menu (as its action) of the given component name; nullptr if none.
    QAction *MenuItem(const QString &name) const;

    // Fills the new window: runs the template generator with the description, then loads the
    // file `name` when it exists, or stays without a file keeping the requested base name and
    // extension. False when the file exists but cannot be read: the error has been shown and
    // the caller should discard the window.
    bool InitDocument(const QString &name, const TNewFile &description);
    // Loads a file into the active control: MaxLength = size + 40000, caret at the start,
    // caption = name part, flag clear, panel 1 empty. False (message shown, document
    // unchanged) when the file cannot be read.
    bool Open(const QString &name);
    // The colours Color0..Color3 become the default colours of the four colour rules.
    void ApplyRuleColors();
    // The compile and run items get the shortcuts of the Tastencode settings; another item
    // whose key is one of them shows no key (the key compiles or runs).
    void ApplyBuildShortcuts();
    // The keys that commands of an editor window have by design, with their captions: the
    // menu items' keys and Ctrl+F4, which closes the window. Needs no window.
    static QList<KeyInUse> KeysInUse();
    // Ctrl+F4: closes the window.
    static QKeySequence CloseKey() { return QKeySequence(Qt::CTRL | Qt::Key_F4); }
    // Activation: tells the frame (window, FileName, flag) and refreshes the recent items.
    void FormActivate();
    // Fills the recent-file items from the shared list through the frame.
    void setzeAlteDateien();
    // Writes the active text to FileName for a compile: the document's format, no backup;
    // clears the modified flag. False (message shown, file unchanged) when it fails.
    bool WriteForBuild();
    // Goes to a place the error panel led to, `message` being what led there: the caret at
    // the column (from 0) of the line (from 1), or the whole line selected for column -1; a
    // line beyond the text puts the caret at its end. The text gets the focus and the status
    // bar names the place.
    void GoToSourcePlace(int line, int column, const QString &message);
    // The close question; true when the close may go ahead (see closeEvent).
    bool FormCloseQuery();
    // The snippet command a key press runs in the window ("MnInsertKlasseClick" for
    // Ctrl+Shift+C); empty unless exactly Ctrl and Shift are held.
    static QString SnippetCommandForKey(int key, Qt::KeyboardModifiers modifiers);
    // Enables the commands that can only be used while a program that F9 started runs.
    void ShowProgramRunning(bool running);

    // The check while typing: its pause timer and the marks it shows.
    WindowLiveCheck &LiveCheck() { return *m_liveCheck; }
    // An F8 compile finished: its messages on this window's file become the marks.
    void ShowCompileMarks(const CompileResult &result);
    // The settings dialog was confirmed: the check follows its switch.
    void ApplyLiveCheckSetting();
    // The debugger's marks: the lines (from 1, ascending) of the breakpoint marks, and
    // exactly these lines marked; the current line (from 1) with its yellow bar and the
    // gutter's arrow, the caret at its start and scrolled into view, and taken off again.
    QList<int> BreakpointLines() const;
    void SetBreakpointLines(const QList<int> &lines);
    void ShowCurrentLine(int line);
    void ClearCurrentLine();
    // The debugger's status text in the first panel; "" gives the panel back to the caret.
    void ShowDebugStatus(const QString &text);
    // Enables "Debuggen starten" while nothing is debugged, and continuing and stepping
    // while the program is stopped.
    void ShowDebugState(DebugState state);

    // The find and replace dialogs of the window, made on first use and kept with their texts
    // and options for the life of the window.
    FindDialog *FindDialog1();
    ReplaceDialog *ReplaceDialog1();
    // Searches the active control from next to the caret, never wrapping; selects a match,
    // or shows the box "Suchen". An empty text does nothing.
    void SearchText(const QString &text, bool matchCase, bool down);
    // The same search; true when it found the text. The replace text is not used.
    bool SearchForReplace(const QString &text, const QString &replaceText, bool down,
                          bool matchCase);
    // The printer the window prints on: the frame's, shared by all windows, so the page
    // set-up chosen with "Drucker-Setup" in one window holds in every window.
    QPrinter &Printer();

public:
    // "&Datei"
    void MnNeuClick();
    void MnOeffnenClick();
    void MnUpdateClick();
    void MnSpeichernClick();
    void MnSpeichernUnterClick();
    void MnSpeichernAlleClick();
    void MnAlleSchliessenClick();
    void MnTaschenrechnerClick();
    void MnExplorerClick();
    void MnDOSEbeneClick();
    void MnNotepadClick();
    void MnDruckenClick();
    void MnExitClick();
    // "&Bearbeiten"
    void MnRueckgaengigClick();
    void MnWiderrufenClick();
    void MnBlockAusschneidenClick();
    void MnBlockKopierenClick();
    void MnBlockEinfuegenClick();
    void MnBlockLoeschenClick();
    void MnAktuelleZeileloeschenClick();
    void MnZeilebisEndeLoeschenClick();
    void MnBlocknachlinksClick();
    void MnBlocknachrechtsClick();
    void MnGehezuClick();
    void MnAllesmarkierenClick();
    void MnBlockalsDateiSichernClick();
    void MnKonverttextvonDOSnachWindowsClick();
    void MnKonverttextvonWindowsnachDOSClick();
    // Shows the completion list for the word before the caret (a single candidate goes in at
    // once); the insert is one undo step.
    void MnWortVervollstaendigenClick();
    void MnZeilenKommentierenClick();
    // "&Suchen"
    void MnSuchenClick();
    void MnWeitersuchenClick();
    void MnSuchenErsetzenClick();
    void MnIncrementielleSucheClick();
    void MnZurPassendenKlammerClick();
    void FindDialog1Find();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace(bool all);
    // "&Einfügen"
    void MnInsertFileClick();
    void MnInsertSysoClick();
    void MnInsertsetDefaultCloseOperationClick();
    void MnInsertKlasseClick();
    void MnInsertAttribSetGetClick();
    void MnIfBedingungMitElseClick();
    void MnWhileSchleifeClick();
    void MnDoWhileClick();
    void MnInsertGridBagLayoutClick();
    void MnInsertActionListenermiteinemSchalterClick();
    void MnInsertFrameListernerClick();
    void MnInsertMouseListenerClick();
    void MnInsertFoucsListenerClick();
    // "&Ansicht"
    void MnSetMemoColorClick();
    void MnSerMemoSWClick();
    // "Drucker-Setup"
    void MnDruckerSetupClick();
    // "&Compiler / Run"
    void MnCompilerClick();
    void MnRunClick();
    void MnProgrammBeendenClick();
    void MnSetMainJavaClick();
    void MnBuildAllerDateienClick();
    void MnProgrammEinstellungenClick();
    // "&Debuggen": the frame's debugging session does the work.
    void MnDebuggenStartenClick();
    void MnFortsetzenClick();
    void MnUeberspringenClick();
    void MnHineinspringenClick();
    void MnRuecksprungClick();
    // Toggles the breakpoint on the caret's line.
    void MnHaltepunktClick();

signals:
    // The document was written to FileName (save or save as).
    void documentSaved();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Whether save must not write this file and asks for another name instead.
    virtual bool IsReadOnlyTarget(const QString &fileName) const;

private:
    enum class SaveResult { Saved, Cancelled, Failed };

    void FormCreate();
    // Builds the menus from the command table, connecting every command.
    void CreateCommands();

    bool LoadInto(TMemo *memo, const QString &name);
    SaveResult Save();
    SaveResult SaveAs();
    // The folder the save dialog opens in (never empty).
    QString SaveDialogStart() const;
    bool WriteDocument();
    // Whether another editor window holds the file.
    bool IsOpenInOtherWindow(const QString &fileName) const;
    void ConvertText(QString (*convert)(const QString &));
    // Fills the active control with the generated starting program of the description.
    void FillFromTemplate(const TNewFile &description);
    void InsertSnippet(int snippet);
    void BringToFront();
    void FormKeyDown(QKeyEvent *event);
    // The visible, enabled menu item with a command whose shortcut the key press is; nullptr
    // if none.
    QAction *MenuItemForKey(const QKeyEvent *event) const;
    // Whether the key compiles or runs now.
    bool IsBuildKey(const QKeySequence &key) const;
    // Runs the command of a numbered window message; unknown numbers do nothing.
    void RunMessage(int message);
    void ShowSearchMessages(const std::vector<SearchMessage> &messages);
    // Searches the active control as a find dialog asks; true when found.
    bool SearchInActive(const SearchRequest &request);
    // The incremental search's share of the text controls' events; true when the event is
    // used up.
    bool IncrementalSearchEvent(QObject *watched, QEvent *event);
    // Whether the incremental search runs on, unchanged; ends it when its text changed.
    bool IncrementalSearchGoesOn();
    void ApplyIncremental(const IncrementalSearch::Reaction &reaction);
    void SelectInActive(qsizetype start, qsizetype length);
    // Shows the document in the other control (see SwitchView).
    void SwitchViewTo(bool color);
    // Key and mouse releases in the text controls: the caret text, then after a key the undo
    // snapshot when UndoMitKeyUp is on. They read the active control, not the sender.
    void MemoColorKeyUp();
    void MemoSWKeyUp();
    void MemoColorMouseUp();
    void MemoSWMouseUp();
    void ShowCaretText();
    void TimerUndoTimer();
    // Block left or right on the lines of the selection.
    void ShiftBlock(bool right);
    // Enter and `}` with automatic indentation in a text control; false leaves the key to
    // the control.
    bool TypeWithIndent(TMemo *memo, const QKeyEvent *key);
    // Boxes on the bracket next to the caret of the active control and on its partner.
    void ShowBracketBoxes();
    // The debugger's share of the window: the gutter's click, the items' first state.
    void CreateDebugCommands();
    // Toggles the breakpoint on a line (from 0), through the frame's session when there is one.
    void ToggleBreakpointAt(int line);
    // The yellow bar of the current-line mark, if any, for a text control's extra selections.
    QList<QTextEdit::ExtraSelection> CurrentLineSelections() const;
    void ShowError(const QString &text);
    // The check while typing (MDIQuillCheck.cpp): the marks shown anew in both views and the
    // status bar, the underlines as extra selections, the tool tip over an underline.
    void ShowCheckMarks();
    QList<QTextEdit::ExtraSelection> CheckUnderlines() const;
    bool CheckToolTip(QObject *watched, QEvent *event);
    // The status text of a check mark on the caret's line, "" for none.
    QString CheckStatusText() const;
    void InsertCompletion(const CompletionCandidate &candidate, qsizetype wordStart);

    EditorHost &m_host;
    EditorDocument m_doc;
    QList<FileFilter> m_saveFilter;
    bool m_closed = false;
    // The save dialog keeps what the last save as gave it, as block saving relies on.
    FileDialogRequest m_saveDialog;

    QStackedWidget *m_notebook = nullptr;
    TColorMemo *m_memoColor = nullptr;
    TMemo *m_memoSW = nullptr;
    TMemo *m_activeMemo = nullptr;
    TMemo *m_memoCascadeTile = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QList<QLabel *> m_panels;
    QTimer *m_timerUndo = nullptr;
    // Brings the bracket boxes up to date once the events of a keystroke are done.
    QTimer *m_bracketTimer = nullptr;
    // The active control's caret, for the undo history.
    MemoCaret m_caret;
    // The document's revision when each view (colour, monochrome) was last left; -1 while it
    // never was shown.
    int m_leftAtRevision[2] = {-1, -1};
    // Set from an undo or redo by key to the next key press. A snapshot on the releases in
    // between would store the text just restored as a new entry: after an undo the next undo
    // would only step back to it, after a redo the following redo could never bring the
    // overwritten entry back. By key, menu and tool button both commands give the same states.
    bool m_skipSnapshot = false;
    // What the command table built: the menus and the item of every command.
    CommandMenus<TFMDIQuill> m_commandMenus;
    QList<QMenu *> m_menus;
    QList<QAction *> m_recentItems;
    QAction *m_recentSeparator = nullptr;
    FindDialog *m_findDialog = nullptr;
    // The document's text for searching.
    const TextSource &SearchSource();
    ReplaceDialog *m_replaceDialog = nullptr;
    IncrementalSearch m_incrementalSearch;
    TMemo *m_incrementalMemo = nullptr; // the control and its revision the search began on
    int m_incrementalRevision = 0;
    // The debugger's text for the first status panel while stopped ("" otherwise).
    QString m_debugStatus;
    // Last member: it goes before the document its marks are on.
    std::unique_ptr<WindowLiveCheck> m_liveCheck;
};
