#include "Workspace.h"

#include "common/CommandGuard.h"
#include "common/FileHelpers.h"
#include "javarun/LiveCheckServer.h"
#include "javarun/RunningPrograms.h"
#include "javarun/WarmCompiler.h"
#include "settings/Settings.h"

#include <QFileInfo>

namespace {

// Where compile and run write while the frame has given no panel.
class NoOutput : public RunOutput {
public:
    void Clear() override {}
    void AppendLine(const QString &) override {}
    void SetText(const QString &) override {}
    void FocusStart() override {}
};

} // namespace

Workspace::Workspace(QObject *parent)
    : QObject(parent), m_noOutput(std::make_unique<NoOutput>()),
      m_warmCompiler(new WarmCompiler(QString(), this)), m_programs(new RunningPrograms(this)),
      m_liveChecks(new LiveCheckServer(QString(), this)) {
    ConnectCommand(m_programs, &RunningPrograms::RunningChanged, this,
                   [this](bool running) { emit ProgramRunningChanged(running); });
}

Workspace::~Workspace() = default;

int Workspace::IndexOf(const QObject *window) const {
    for (int i = 0; i < Count(); ++i)
        if (window && m_entries.at(i).document->Window() == window)
            return i;
    return -1;
}

int Workspace::IndexHolding(const QString &fileName) const {
    for (int i = 0; i < Count(); ++i)
        if (m_entries.at(i).document->HoldsFile(fileName))
            return i;
    return -1;
}

QStringList Workspace::OpenFiles() const {
    QStringList files;
    for (const Entry &entry : m_entries)
        if (entry.document->HasFile())
            files << entry.document->FileName();
    return files;
}

void Workspace::Add(std::unique_ptr<WorkspaceDocument> document, const QString &entryName) {
    const SplitName parts = entryName.isEmpty() ? SplitName() : SplitFileName(entryName);
    m_entries.push_back(Entry{std::move(document), entryName, parts.base + parts.ext});
    if (Count() == 2) {
        m_mainIndex = -1;
        m_mainChoiceShown = true;
    }
}

void Workspace::Remove(int index) {
    if (index < 0 || index >= Count())
        return;
    const QString chosen = ChosenMainFile();
    m_entries.erase(m_entries.begin() + index);
    if (m_entries.empty()) {
        m_mainIndex = -1;
        m_mainChoiceShown = false;
        return;
    }
    // The last document of the chosen file keeps the choice.
    m_mainIndex = -1;
    if (!chosen.isEmpty())
        for (int k = 0; k < Count(); ++k)
            if (m_entries.at(k).document->HoldsFile(chosen))
                m_mainIndex = k;
}

void Workspace::Renamed(int index) {
    if (index < 0 || index >= Count())
        return;
    Entry &entry = m_entries.at(index);
    entry.name = entry.document->FileName();
    entry.text = QFileInfo(entry.name).fileName();
    emit MainFilesChanged();
}

void Workspace::Clear() {
    m_entries.clear();
    m_mainIndex = -1;
}

void Workspace::SetMainIndex(int index) {
    m_mainIndex = index >= 0 && index < Count() ? index : -1;
}

QString Workspace::ChosenMainFile() const {
    return m_mainIndex >= 0 && m_mainIndex < Count() ? m_entries.at(m_mainIndex).name : QString();
}

void Workspace::ChooseMainFile(const QString &fileName) {
    const int index = IndexHolding(fileName);
    if (index < 0)
        return;
    m_mainIndex = index;
    emit MainFilesChanged();
}

Workspace::OpenCheck Workspace::CheckOpen(const QString &fileName) {
    OpenCheck check;
    if (!QFileInfo::exists(fileName)) {
        check.kind = OpenCheck::Kind::Missing;
        check.caption = QStringLiteral("Datei Öffnen");
        check.text =
            QStringLiteral("Die Datei\r\n") + fileName + QStringLiteral("\r\nexistiert nicht");
        return check;
    }
    m_recent.Remove(fileName);
    check.index = IndexHolding(fileName);
    if (check.index >= 0) {
        check.kind = OpenCheck::Kind::AlreadyOpen;
        check.caption = QStringLiteral("Hinweis");
        check.text = QStringLiteral("Datei ist schon geladen\r\n") + fileName;
    }
    return check;
}

void Workspace::RememberAsRecent(int index) {
    // A document that was never saved has no file to offer again.
    if (index >= 0 && index < Count() && m_entries.at(index).document->HasFile())
        m_recent.Add(m_entries.at(index).document->FileName());
}

QString Workspace::LatestRecentFolder(const QString &fallback) const {
    return m_recent.Count() >= 1 ? SplitFileName(m_recent.Entry(1)).dir : fallback;
}

void Workspace::SetOutput(RunOutput *output) {
    m_output = output;
}

RunOutput &Workspace::Output() {
    return m_output ? *m_output : *m_noOutput;
}

void Workspace::PrepareResidentCompiler(const QString &activeFolder) {
    if (Settings::Compiler.isEmpty())
        return;
    const QString folder = activeFolder.isEmpty() ? Settings::EditorPfad : activeFolder;
    if (!folder.isEmpty())
        m_warmCompiler->Prepare(Settings::Compiler, folder);
}

QList<std::shared_ptr<BuildTarget>> Workspace::BuildTargets() {
    QList<std::shared_ptr<BuildTarget>> targets;
    for (const Entry &entry : m_entries)
        targets << entry.document->Target();
    return targets;
}

void Workspace::CompileShown(const CompileResult &result) {
    m_shownCompile = result;
    emit CompileFinished(result);
}

void Workspace::LoadExplanations(const QString &fileName) {
    m_explanations = CheckExplanations::FromFile(fileName);
}

std::optional<Workspace::PanelPlace> Workspace::CompilePlaceAt(int panelLine) const {
    if (!m_shownCompile)
        return std::nullopt;
    const QList<Diagnostic> &diagnostics = m_shownCompile->diagnostics;
    const Diagnostic *diagnostic = DiagnosticAt(diagnostics, panelLine);
    if (!diagnostic)
        return std::nullopt;
    return PanelPlace{*DiagnosticPlaceAt(diagnostics, panelLine), diagnostic->message};
}
