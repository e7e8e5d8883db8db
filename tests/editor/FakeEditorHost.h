#pragma once

#include "FakeBuildHost.h"

#include "editor/EditorHost.h"
#include "editor/WindowBuildTarget.h"

#include <QAction>
#include <QList>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStringList>

#include <memory>

// An EditorHost for editor-window tests: records what the window asks of the frame and
// fills recent-file items from a plain list. As the build commands' frame, its windows are
// the editor windows of `windows`.
class FakeEditorHost : public EditorHost, public FakeBuildHost {
public:
    FakeEditorHost() {
        FakeBuildHost::targets = [this] {
            QList<std::shared_ptr<BuildTarget>> targets;
            for (TFMDIQuill *window : std::as_const(windows))
                targets << std::make_shared<WindowBuildTarget>(*window);
            return targets;
        };
    }

    QStringList calls;             // names of the frame operations called, in order
    QList<TFMDIQuill *> forgotten; // windows passed to ForgetEditorWindow
    QList<TFMDIQuill *> activated; // windows passed to EditorActivated
    QStringList recentFiles;       // what BuildRecentFileItems shows
    QList<TFMDIQuill *> windows;
    QStringList renamedFrom; // previous names passed to EditorRenamed

    void EditorActivated(TFMDIQuill *window) override {
        calls << QStringLiteral("EditorActivated");
        activated << window;
    }
    void ForgetEditorWindow(TFMDIQuill *window) override {
        calls << QStringLiteral("ForgetEditorWindow");
        forgotten << window;
        windows.removeAll(window);
    }
    void EditorRenamed(TFMDIQuill *, const QString &previous) override {
        calls << QStringLiteral("EditorRenamed");
        renamedFrom << previous;
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
    BuildHost &Builds() override { return *this; }
    QList<TFMDIQuill *> EditorWindows() const override { return windows; }
    QPrinter &Printer() override {
        if (!m_printer)
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *m_printer;
    }
    // What completion gets as the class list; nullptr for none.
    const CompletionIndex *completionIndex = nullptr;
    const CompletionIndex *CompletionClasses() override { return completionIndex; }

private:
    QPlainTextEdit m_mainMemo;
    std::unique_ptr<QPrinter> m_printer;
};
