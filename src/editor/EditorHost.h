#pragma once

#include <QList>
#include <QString>

class BuildHost;
class CheckExplanations;
class CompletionIndex;
class LiveCheckServer;
class DebugSession;
class QAction;
class QPlainTextEdit;
class QPrinter;
class TFMDIQuill;

// What an editor window needs of the main frame. The frame implements it; tests of the
// editor window use a small fake.
class EditorHost {
public:
    virtual ~EditorHost() = default;

    // The window became active; the frame only records it.
    virtual void EditorActivated(TFMDIQuill *window) = 0;
    // The window's close has been agreed: drop it from the lists, record it as recent.
    virtual void ForgetEditorWindow(TFMDIQuill *window) = 0;
    // The window's document took another file name (save as); `previous` is the old one.
    virtual void EditorRenamed(TFMDIQuill *window, const QString &previous) = 0;
    virtual void SaveAllWindows() = 0;
    virtual void CloseAllWindows() = 0;

    // The frame's handlers that the window's same-named menu items call.
    virtual void MnNeuClick() = 0;
    virtual void MnOeffnenClick() = 0;
    virtual void MnTaschenrechnerClick() = 0;
    virtual void MnExplorerClick() = 0;
    virtual void MnDOSEbeneClick() = 0;
    virtual void MnNotepadClick() = 0;
    // "&Beenden": closes the frame, which ends the program.
    virtual void MnExitClick() = 0;

    // Fills a window's recent-file items (separator and nine entries) from the shared
    // recent-file list and connects them to the frame's open.
    virtual void BuildRecentFileItems(QAction *separator, const QList<QAction *> &items) = 0;

    // The frame's hidden scratch buffer for moving text through the clipboard.
    virtual QPlainTextEdit *MainMemo() = 0;
    // The frame as the build commands see it: error panel, main file, windows.
    virtual BuildHost &Builds() = 0;
    // The editor windows in creation order.
    virtual QList<TFMDIQuill *> EditorWindows() const = 0;
    // The folder of the file in the window the learner was in last, `except` left out;
    // empty when no other window has a file. A new document's save dialog starts there.
    virtual QString LastWindowFolder(const TFMDIQuill *except) const {
        Q_UNUSED(except);
        return QString();
    }
    // The printer every window prints on, so the set-up chosen in one window holds in all.
    virtual QPrinter &Printer() = 0;
    // The class list indexed for completion, waiting for it if it is still being built;
    // nullptr when there is none (completion then offers keywords and words of the text).
    virtual const CompletionIndex *CompletionClasses() { return nullptr; }
    // The resident compiler that checks texts while the learner types; nullptr for none.
    virtual LiveCheckServer *LiveChecks() { return nullptr; }
    // The German explanations of compiler messages; nullptr for none.
    virtual const CheckExplanations *Explanations() const { return nullptr; }
    // The frame's debugging session (breakpoints, "Debuggen starten", the steps), or nullptr
    // when there is none: breakpoints are then the window's own marks.
    virtual DebugSession *Debugging() { return nullptr; }
};
