#pragma once

#include <QList>

class QAction;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
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
    // The error panel, the "Mit Umleitung" check box and the main-file lists (build commands).
    virtual QPlainTextEdit *Memo1() = 0;
    virtual QCheckBox *cbMitUmleitung() = 0;
    virtual QComboBox *cbMainFile() = 0;
    virtual QComboBox *cbMainFile2() = 0;
    // The editor windows in creation order.
    virtual QList<TFMDIQuill *> EditorWindows() const = 0;
};
