#pragma once

#include "editor/EditorHost.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QList>
#include <QPlainTextEdit>
#include <QStringList>

// An EditorHost for editor-window tests: records what the window asks of the frame and
// fills recent-file items from a plain list.
class FakeEditorHost : public EditorHost {
public:
    QStringList calls;             // names of the frame operations called, in order
    QList<TFMDIQuill *> forgotten; // windows passed to ForgetEditorWindow
    QList<TFMDIQuill *> activated; // windows passed to EditorActivated
    QStringList recentFiles;       // what BuildRecentFileItems shows
    QList<TFMDIQuill *> windows;

    void EditorActivated(TFMDIQuill *window) override {
        calls << QStringLiteral("EditorActivated");
        activated << window;
    }
    void ForgetEditorWindow(TFMDIQuill *window) override {
        calls << QStringLiteral("ForgetEditorWindow");
        forgotten << window;
        windows.removeAll(window);
    }
    void SaveAllWindows() override { calls << QStringLiteral("SaveAllWindows"); }
    void CloseAllWindows() override { calls << QStringLiteral("CloseAllWindows"); }
    void MnNeuClick() override { calls << QStringLiteral("MnNeuClick"); }
    void MnOeffnenClick() override { calls << QStringLiteral("MnOeffnenClick"); }
    void MnTaschenrechnerClick() override { calls << QStringLiteral("MnTaschenrechnerClick"); }
    void MnExplorerClick() override { calls << QStringLiteral("MnExplorerClick"); }
    void MnDOSEbeneClick() override { calls << QStringLiteral("MnDOSEbeneClick"); }
    void MnNotepadClick() override { calls << QStringLiteral("MnNotepadClick"); }
    void MnExitClick() override { calls << QStringLiteral("MnExitClick"); }
    void BuildRecentFileItems(QAction *separator, const QList<QAction *> &items) override {
        calls << QStringLiteral("BuildRecentFileItems");
        separator->setVisible(!recentFiles.isEmpty());
        for (int i = 0; i < items.size(); ++i) {
            items[i]->setVisible(i < recentFiles.size());
            if (i < recentFiles.size())
                items[i]->setText(QStringLiteral("&%1. %2").arg(i + 1).arg(recentFiles[i]));
        }
    }
    QPlainTextEdit *MainMemo() override { return &m_mainMemo; }
    QPlainTextEdit *Memo1() override { return &m_memo1; }
    QCheckBox *cbMitUmleitung() override { return &m_mitUmleitung; }
    QComboBox *cbMainFile() override { return &m_mainFile; }
    QComboBox *cbMainFile2() override { return &m_mainFile2; }
    QList<TFMDIQuill *> EditorWindows() const override { return windows; }

private:
    QPlainTextEdit m_mainMemo;
    QPlainTextEdit m_memo1;
    QCheckBox m_mitUmleitung;
    QComboBox m_mainFile;
    QComboBox m_mainFile2;
};
