#pragma once

#include "RecentFiles.h"
#include "WorkspaceDocument.h"

#include "javarun/BuildHost.h"
#include "javarun/CheckExplanations.h"
#include "javarun/CompilerMessage.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class LiveCheckServer;
class RunningPrograms;
class WarmCompiler;

// What the frame shows, apart from any window: the open documents in the order their
// windows were opened, the main-file choice, the recent files, the programs still running,
// the resident compiler, and the compile the error panel shows. It is the build commands'
// host; the frame shows its state and forwards the learner's choices to it.
class Workspace : public QObject, public BuildHost {
    Q_OBJECT
public:
    explicit Workspace(QObject *parent = nullptr);
    ~Workspace() override;

    // --- The documents ---

    int Count() const { return int(m_entries.size()); }
    WorkspaceDocument &Document(int index) const { return *m_entries.at(index).document; }
    // The index of the document that the window holds, -1 for none.
    int IndexOf(const QObject *window) const;
    // The index of the first document whose file is fileName, -1 for none.
    int IndexHolding(const QString &fileName) const;
    // The full names of the documents that have a file, in order.
    QStringList OpenFiles() const;

    // Adds the document of a new window; its entry in the main-file list names entryName (""
    // for a new document). The choice stays as it was, except that it starts afresh when the
    // second document comes: the choice is the learner's alone.
    void Add(std::unique_ptr<WorkspaceDocument> document, const QString &entryName);
    // Takes the document out. The main file stays chosen while a document of that file is
    // still open.
    void Remove(int index);
    // The document's file took another name: its entry follows, so a main file chosen by
    // it stays runnable.
    void Renamed(int index);
    // Drops every document without a word (the frame is going).
    void Clear();

    // --- The main-file choice ---

    // The entries of the main-file list: the short name shown and the full name.
    QString EntryText(int index) const { return m_entries.at(index).text; }
    QString EntryName(int index) const { return m_entries.at(index).name; }
    // The chosen entry, -1 for none.
    int MainIndex() const { return m_mainIndex; }
    // The learner chose an entry (-1 for none).
    void SetMainIndex(int index);
    // The list shows from the second document on, until the last one has gone.
    bool MainChoiceShown() const { return m_mainChoiceShown; }

    // --- Opening a file ---

    // What opening a file by its name comes to.
    struct OpenCheck {
        enum class Kind { Missing, AlreadyOpen, Open };
        Kind kind = Kind::Open;
        int index = -1;  // the document that holds the file already
        QString caption; // the notice to show, for Missing and AlreadyOpen
        QString text;
    };
    // A missing file is refused; any other leaves the recent files. One already open is not
    // opened twice.
    OpenCheck CheckOpen(const QString &fileName);

    // --- The recent files ---

    RecentFiles &Recent() { return m_recent; }
    // The document's window is closing: its file becomes the latest recent file.
    void RememberAsRecent(int index);
    // The folder of the latest recent file, or fallback when there is none.
    QString LatestRecentFolder(const QString &fallback) const;

    // --- Compile, run and the panel ---

    // The panel that compile and run write to (not owned); nullptr for none.
    void SetOutput(RunOutput *output);
    void SetMitUmleitung(bool checked) { m_mitUmleitung = checked; }
    // Starts the resident compiler for the folder of the active document (or, without one,
    // the folder the learner works in), when a compiler is configured.
    void PrepareResidentCompiler(const QString &activeFolder);
    // The panel's text changed after the compile was shown (a run, the learner's edit): the
    // compile's diagnostics no longer stand on its lines.
    void PanelChanged() { m_shownCompile.reset(); }
    // The compile the panel shows, if it still does.
    const std::optional<CompileResult> &ShownCompile() const { return m_shownCompile; }

    // A place the panel leads to, with the message that leads there.
    struct PanelPlace {
        SourcePlace place;
        QString message;
    };
    // The place of the shown compile's message or column marker at the panel line.
    std::optional<PanelPlace> CompilePlaceAt(int panelLine) const;

    // --- The check while typing ---

    // The second resident compiler, which checks the windows' texts.
    LiveCheckServer *LiveChecks() { return m_liveChecks; }
    // The German explanations of compiler messages, read once from the file (a missing or
    // broken one gives none).
    void LoadExplanations(const QString &fileName);
    const CheckExplanations &Explanations() const { return m_explanations; }

    // BuildHost
    RunOutput &Output() override;
    bool MitUmleitung() const override { return m_mitUmleitung; }
    QString ChosenMainFile() const override;
    void ChooseMainFile(const QString &fileName) override;
    QList<std::shared_ptr<BuildTarget>> BuildTargets() override;
    WarmCompiler *ResidentCompiler() override { return m_warmCompiler; }
    RunningPrograms *Programs() override { return m_programs; }
    void CompileShown(const CompileResult &result) override;

signals:
    // The entries or the choice of the main-file list changed other than by SetMainIndex.
    void MainFilesChanged();
    // Whether any program started by F9 still runs; sent when that changes.
    void ProgramRunningChanged(bool running);
    // A compile finished and the panel shows it.
    void CompileFinished(const CompileResult &result);

private:
    struct Entry {
        std::unique_ptr<WorkspaceDocument> document;
        QString name; // full name, "" for a new document
        QString text; // short name
    };

    std::vector<Entry> m_entries;
    int m_mainIndex = -1;
    bool m_mainChoiceShown = false;
    RecentFiles m_recent;
    RunOutput *m_output = nullptr;
    std::unique_ptr<RunOutput> m_noOutput; // while there is no panel
    bool m_mitUmleitung = true;
    WarmCompiler *m_warmCompiler = nullptr;
    RunningPrograms *m_programs = nullptr;
    LiveCheckServer *m_liveChecks = nullptr;
    CheckExplanations m_explanations;
    std::optional<CompileResult> m_shownCompile;
};
