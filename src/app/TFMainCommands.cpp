// The frame's commands: opening and creating files, the window list, arrangement,
// external programs and the dialogs.
#include "TFMain.h"

#include "FrameMenus.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/DialogResult.h"
#include "common/DialogStartFolder.h"
#include "common/ExecuteFile.h"
#include "common/FileHelpers.h"
#include "common/Helpers.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "editor/MDIQuill.h"
#include "ExternalPrograms.h"
#include "javaconsole/KonsoleClient.h"
#include "javaconsole/KonsoleProtocol.h"
#include "javaconsole/TFKonsole.h"
#include "javarun/BuildCommands.h"
#include "javarun/RunningPrograms.h"
#include "javarun/TerminalCommand.h"
#include "javarun/WarmCompileRules.h"
#include "OpenDialogRequest.h"
#include "settings/HelpWindow.h"
#include "settings/Settings.h"
#include "TFAbout.h"
#include "VerticalTiling.h"
#include "WindowDocument.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#include <winnetwk.h>
#endif

namespace {

// The compiler's message a panel line belongs to: the text after "<file>.java:<line>: " of
// the message line (two lines above a column marker); any other line as it stands.
QString PanelMessageAt(const QStringList &lines, int index) {
    const int at =
        lines.at(index).trimmed() == QLatin1String("^") && index >= 2 ? index - 2 : index;
    static const QRegularExpression head(QStringLiteral("^.+?\\.java:\\d+: "));
    const QString &line = lines.at(at);
    const QRegularExpressionMatch match = head.match(line);
    return (match.hasMatch() ? line.mid(match.capturedEnd()) : line).trimmed();
}

QString pathList() {
    return qEnvironmentVariable("PATH");
}

} // namespace

void TFMain::Timer1Timer() {
    m_timer1->stop();
    for (const QString &argument : std::as_const(m_commandLine)) {
        const QFileInfo info(argument);
        if (info.isFile())
            OpenFileByName(info.absoluteFilePath());
    }
    emit startFilesOpened();
    if (!QFileInfo(Settings::Compiler).isFile())
        Settings::Compiler.clear();
    if (!QFileInfo(Settings::Run).isFile())
        Settings::Run.clear();
    if ((Settings::Compiler.isEmpty() || Settings::Run.isEmpty()) && m_commands)
        m_commands->FindJavaTools();
    prepareResidentCompiler();
    m_completion.start(ProgramDir() + QStringLiteral("javaklassen.txt"));
}

const CompletionIndex *TFMain::CompletionClasses() {
    // A window may ask before the start timer ran (a file opened at once by a test).
    m_completion.start(ProgramDir() + QStringLiteral("javaklassen.txt"));
    return m_completion.index();
}

void TFMain::MnOeffnenClick() {
    const QString currentDir = QDir::currentPath();
    // After a new document the last folder is empty: the dialog then starts where the
    // learner works, never at the list of drives.
    const QStringList chosen = ui().openFiles(MakeOpenRequest(
        m_rememberedExt, DialogStartFolder({Settings::EditorPfad, LastWindowFolder(nullptr)})));
    // The last one chosen opens first, so the first chosen ends up on top.
    for (qsizetype i = chosen.size() - 1; i >= 0; --i)
        OpenFileByName(chosen.at(i));
    QDir::setCurrent(currentDir);
}

void TFMain::OpenFileByName(const QString &fileName) {
    const Workspace::OpenCheck check = m_workspace.CheckOpen(fileName);
    if (check.kind == Workspace::OpenCheck::Kind::Missing) {
        ShowWarningBox(check.caption, check.text);
        return;
    }
    // The file has left the recent files. The entries shown must match the list, or a click
    // would open a different file than the one it names.
    refreshRecentMenus();
    if (check.kind == Workspace::OpenCheck::Kind::AlreadyOpen) {
        ShowWarningBox(check.caption, check.text);
        // The learner wanted to see the file: there it is.
        showWindow(windowAt(check.index));
        return;
    }
    CreateEditorWindow(fileName, TNewFile());
}

TFMDIQuill *TFMain::CreateEditorWindow(const QString &fileName, const TNewFile &description) {
    const SplitName parts = fileName.isEmpty() ? SplitName() : SplitFileName(fileName);
    m_rememberedExt = parts.ext;
    Settings::EditorPfad = parts.dir;
    warnStoreProblemOnce(SaveEditorPfadToIni(parts.dir));
    warnStoreProblemOnce(SaveSettings());

    auto *window = new TFMDIQuill(*this);
    m_mdiArea->addSubWindow(window);
    applyEditorFont(window);
    m_workspace.Add(std::make_unique<WindowDocument>(*window), fileName);
    showStartHint();
    if (QAction *stop = window->MenuItem(QStringLiteral("MnProgrammBeenden")))
        stop->setEnabled(m_workspace.Programs()->AnyRunning());
    showMainFiles();
    if (!window->InitDocument(fileName, description)) {
        // The file could not be read and the window has said so: it never existed.
        dropWindow(window);
        delete window;
        return nullptr;
    }
    window->show();
    rebuildMenuBar();
    emit editorWindowCreated(window);
    return window;
}

void TFMain::MnNeuClick() {
    if (!m_commands)
        return;
    const TNewFile description = m_commands->NewFileWizard();
    if (description.Kind > 0)
        CreateEditorWindow(QString(), description);
}

void TFMain::ForgetEditorWindow(TFMDIQuill *window) {
    const int i = m_workspace.IndexOf(window);
    if (i < 0)
        return;
    m_workspace.RememberAsRecent(i);
    ShowRecentFiles();
    if (m_debugSession)
        m_debugSession->DocumentClosing(window->FileName());
    dropWindow(window);
}

void TFMain::dropWindow(TFMDIQuill *window) {
    const int i = m_workspace.IndexOf(window);
    if (i < 0)
        return;
    m_workspace.Remove(i);
    showStartHint();
    showMainFiles();
    rebuildMenuBar();
}

void TFMain::showMainFiles() {
    const QSignalBlocker block(m_cbMainFile);
    // Item by item, so that an unchanged list is left as it is.
    while (m_cbMainFile->count() > m_workspace.Count())
        m_cbMainFile->removeItem(m_cbMainFile->count() - 1);
    for (int i = 0; i < m_workspace.Count(); ++i) {
        if (i == m_cbMainFile->count())
            m_cbMainFile->addItem(QString());
        m_cbMainFile->setItemText(i, m_workspace.EntryText(i));
        m_cbMainFile->setItemData(i, m_workspace.EntryName(i));
    }
    m_cbMainFile->setCurrentIndex(m_workspace.MainIndex());
    m_cbMainFile->setVisible(m_workspace.MainChoiceShown());
    m_lMainJava->setVisible(m_workspace.MainChoiceShown());
}

void TFMain::EditorRenamed(TFMDIQuill *window, const QString &previous) {
    m_workspace.Renamed(m_workspace.IndexOf(window));
    if (m_debugSession)
        m_debugSession->DocumentRenamed(previous, window->FileName());
}

void TFMain::EditorActivated(TFMDIQuill *) {
    // The menu bar follows the active child. The resident compiler follows the compiles
    // (each one prepares it for its folder), not the activations: switching between windows
    // of two folders would otherwise start a new one every time.
    rebuildMenuBar();
}

void TFMain::prepareResidentCompiler() {
    const TFMDIQuill *active = ActiveEditorWindow();
    m_workspace.PrepareResidentCompiler(active && active->Document().hasFile() ? active->FileDir()
                                                                               : QString());
}

void TFMain::SaveAllWindows() {
    const QList<TFMDIQuill *> windows = EditorWindows();
    for (TFMDIQuill *window : windows)
        if (isOpen(window))
            window->MnSpeichernClick();
}

void TFMain::CloseAllWindows() {
    // A closed window leaves the list at once, so work on the list as it was.
    const QList<TFMDIQuill *> windows = EditorWindows();
    for (TFMDIQuill *window : windows)
        if (isOpen(window))
            window->close();
}

TFMDIQuill *TFMain::ActiveEditorWindow() const {
    QMdiSubWindow *top = m_mdiArea->currentSubWindow();
    if (!top) {
        const QList<QMdiSubWindow *> order = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
        if (!order.isEmpty())
            top = order.last();
    }
    auto *window = qobject_cast<TFMDIQuill *>(top);
    return isOpen(window) ? window : nullptr;
}

void TFMain::BnSaveFileClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnSpeichernClick();
}

void TFMain::BnSaveAllClick() {
    const QList<QMdiSubWindow *> order = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        auto *window = qobject_cast<TFMDIQuill *>(*it);
        if (isOpen(window))
            window->MnSpeichernClick();
    }
}

void TFMain::BnDruckenClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnDruckenClick();
}

void TFMain::BnUndoClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnRueckgaengigClick();
}

void TFMain::BnCutClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnBlockAusschneidenClick();
}

void TFMain::BnPasteClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnBlockEinfuegenClick();
}

void TFMain::BnCompileClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnCompilerClick();
}

void TFMain::BnRunClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnRunClick();
}

void TFMain::BnStopClick() {
    StopProgram(m_workspace);
    m_debugSession->Finish();
}

void TFMain::showProgramRunning(bool programsRunning) {
    const bool running = programToEnd(programsRunning);
    for (const CommandRow<TFMain> &row : FrameCommandRows())
        if (row.enabled == CommandEnabled::WhileProgramRuns)
            if (QToolButton *button = ToolButton(QString::fromLatin1(row.name)))
                button->setEnabled(running);
    m_commandMenus.setEnabled(CommandEnabled::WhileProgramRuns, running);
    for (TFMDIQuill *window : EditorWindows())
        window->ShowProgramRunning(running);
}

void TFMain::BnJavaHelpClick() {
    if (m_commands)
        m_commands->JavaHelp();
}

TFKonsole *TFMain::Konsole() const {
    return m_konsole;
}

void TFMain::MnJavaKonsoleClick() {
    if (!m_konsole) {
        auto *engine =
            new KonsoleClient([] { return JdkLauncherFor(Settings::Compiler, Settings::Run); });
        m_konsole = new TFKonsole(*engine, KonsoleHistory::DefaultFileName(), this);
        engine->setParent(m_konsole);
        m_konsole->SetClassFolderSource([this] {
            const TFMDIQuill *window = ActiveEditorWindow();
            return window && QFileInfo(window->FileName()).isAbsolute()
                       ? QFileInfo(window->FileName()).absolutePath()
                       : QString();
        });
        m_konsole->SetCompletionClasses([this] { return CompletionClasses(); });
    }
    m_konsole->ApplySettings();
    m_konsole->ShowKonsole();
}

void TFMain::MnVorherigesFensterClick() {
    m_mdiArea->activatePreviousSubWindow();
}

void TFMain::MnNaechstesFensterClick() {
    m_mdiArea->activateNextSubWindow();
}

void TFMain::MnFensterTeilenClick() {
    const QList<TFMDIQuill *> windows = EditorWindows();
    QList<bool> minimized;
    for (TFMDIQuill *window : windows)
        minimized << window->isMinimized();
    const QList<QRect> rects = StackedTileRects(m_mdiArea->viewport()->size(), minimized);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (rects.at(i).isNull())
            continue;
        windows.at(i)->showNormal();
        windows.at(i)->setGeometry(rects.at(i));
    }
}

void TFMain::MnFensterKaskadeClick() {
    // Each window one title bar lower and further right than the one below it, all of them
    // large enough to work in; the active window ends on top.
    QList<QMdiSubWindow *> order;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::StackingOrder))
        if (!sub->isMinimized() && sub->isVisible())
            order << sub;
    if (order.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 4;
    const int count = static_cast<int>(order.size());
    const QSize size(std::max(area.width() - (count - 1) * step, area.width() * 2 / 3),
                     std::max(area.height() - (count - 1) * step, area.height() * 2 / 3));
    int offset = 0;
    for (QMdiSubWindow *sub : order) {
        if (sub->isMaximized())
            sub->showNormal();
        if (offset + size.width() > area.width() || offset + size.height() > area.height())
            offset = 0;
        sub->setGeometry(QRect(QPoint(offset, offset), size));
        sub->raise();
        offset += step;
    }
}

void TFMain::MnAlleSymboleanordnenClick() {
    // Minimised windows line up along the bottom edge, left to right.
    const QList<QMdiSubWindow *> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    for (QMdiSubWindow *sub : subs) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        sub->move(x, y - size.height());
        x += size.width();
    }
}

void TFMain::MnFensterVertikalteilenClick() {
    m_mdiArea->tileSubWindows();
    VerticalTileInput input;
    input.clientWidth = m_mdiArea->viewport()->width();
    input.toolBarVisible = m_panelButton->isVisible();
    input.toolBarHeight = m_panelButton->height();
    input.panelErrorHeight = m_panelError->height();
    input.splitterHeight = m_splitter1->handleWidth();
    // The frame's client area: the MDI area with the tool bar, splitter and error panel.
    input.clientHeight = m_mdiArea->height() + (input.toolBarVisible ? input.toolBarHeight : 0) +
                         input.panelErrorHeight + input.splitterHeight;
    const QList<TFMDIQuill *> windows = EditorWindows();
    for (TFMDIQuill *window : windows)
        input.minimized << window->isMinimized();
    const QList<QRect> rects = VerticalTileRects(input);
    for (qsizetype i = 0; i < windows.size(); ++i)
        if (!rects.at(i).isNull())
            windows.at(i)->setGeometry(rects.at(i));
}

void TFMain::startProgram(const QStringList &candidates, const QString &errorText) {
    const QString program = FindFirstProgram(candidates, pathList());
    const int result = program.isEmpty() ? 2 : ExecuteFile(program, QString(), QString(), 1);
    if (result <= 32)
        ShowErrorBox(QStringLiteral("Fehler"), errorText);
}

void TFMain::MnTaschenrechnerClick() {
    startProgram(CalculatorCandidates(), QStringLiteral("Fehler beim Aufruf des Taschenrechners"));
}

void TFMain::MnExplorerClick() {
    // The file manager opens at the directory the user works in.
    QString dir = Settings::EditorPfad;
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::homePath();
    const int result = ExecuteFile(dir, QString(), QString(), 1);
    if (result <= 32)
        ShowErrorBox(QStringLiteral("Fehler"), QStringLiteral("Fehler beim Aufruf des Explorers"));
}

void TFMain::MnNotepadClick() {
    startProgram(TextEditorCandidates(), QStringLiteral("Fehler beim Aufruf des Notepads"));
}

void TFMain::MnDOSEbeneClick() {
    const QString shell = Settings::COMSPECINDI ? GetComSpec() : Settings::COMSPEC;
    int result = 2; // "file not found", as the shell reports a missing program
    if (!shell.isEmpty()) {
#ifdef Q_OS_WIN
        result = ExecuteFile(shell, QString(), QString(), 1);
#else
        if (const std::optional<Command> terminal = FindTerminal()) {
            const QStringList arguments =
                ShellInTerminalArguments(terminal->program, terminal->arguments, shell);
            if (QProcess::startDetached(terminal->program, arguments))
                result = 33;
        }
#endif
    }
    if (result <= 32)
        ShowWarningBox(QStringLiteral("Fehler"), QStringLiteral("Fehler: %1").arg(result));
}

void TFMain::MnNetzwerklaufwerkVerbindenClick() {
#ifdef Q_OS_WIN
    WNetConnectionDialog(reinterpret_cast<HWND>(winId()), RESOURCETYPE_DISK);
#else
    ui().messageBox(MsgIcon::Information, QStringLiteral("Hinweis"),
                    QStringLiteral("Netzlaufwerke werden unter Linux im Dateimanager des "
                                   "Desktops verbunden."),
                    {MsgButton::Ok});
#endif
}

void TFMain::MnNetzwerklaufwerkTrennenClick() {
#ifdef Q_OS_WIN
    WNetDisconnectDialog(reinterpret_cast<HWND>(winId()), RESOURCETYPE_DISK);
#else
    ui().messageBox(MsgIcon::Information, QStringLiteral("Hinweis"),
                    QStringLiteral("Netzlaufwerke werden unter Linux im Dateimanager des "
                                   "Desktops getrennt."),
                    {MsgButton::Ok});
#endif
}

void TFMain::MnExitClick() {
    close();
}

void TFMain::MnEinstellungenClick() {
    DialogResultText().clear();
    if (m_commands)
        m_commands->SettingsDialog();
    if (DialogResultText().isEmpty())
        return;
    applyErrorFont();
    applyBuildKeys();
    const QList<TFMDIQuill *> windows = EditorWindows();
    for (TFMDIQuill *window : windows)
        window->ApplyBuildShortcuts();
    showBuildKeys();
    for (TFMDIQuill *window : windows) {
        applyEditorFont(window);
        window->ApplyRuleColors();
        window->ConfigureUndoTimer();
        window->ApplyLiveCheckSetting();
        window->ActiveMemo()->viewport()->repaint();
    }
}

void TFMain::MnProduktInfoClick() {
    TFAbout about(this);
    about.exec();
}

void TFMain::ShowRecentFiles() {
    refreshRecentMenus();
    Settings::EditorPfad = m_workspace.LatestRecentFolder(ProgramDir());
}

void TFMain::BuildRecentFileItems(QAction *separator, const QList<QAction *> &items) {
    separator->setVisible(false);
    for (QAction *item : items)
        item->setVisible(false);
    const RecentFiles &recent = m_workspace.Recent();
    const int shown = std::min<int>(recent.Count(), static_cast<int>(items.size()));
    for (int k = 1; k <= shown; ++k) {
        QAction *item = items.at(k - 1);
        separator->setVisible(true);
        QString name = recent.Entry(k);
        name.replace(QLatin1Char('&'), QStringLiteral("&&")); // shown as written, no mnemonic
        item->setText(QStringLiteral("&%1. ").arg(k) + name);
        item->setVisible(true);
        // The frame connected its own entries at creation; a window's entries lead here too.
        if (!m_recentItems.contains(item)) {
            disconnect(item, &QAction::triggered, this, nullptr);
            ConnectCommand(item, &QAction::triggered, this, [this, k] { MnAlteDateiClick(k); });
        }
    }
}

void TFMain::MnAlteDateiClick(int k) {
    const QString name = m_workspace.Recent().Entry(k);
    if (!name.isEmpty())
        OpenFileByName(name);
}

void TFMain::MnHilfeClick() {
    ShowHelp(HelpStart, this);
}

void TFMain::MnDateilisteloeschenClick() {
    DeleteFileForced(WritableProgramDir() + QStringLiteral("Datei.alt"));
    m_workspace.Recent().Clear();
    refreshRecentMenus();
}

void TFMain::refreshRecentMenus() {
    // Every menu shows the one list: an entry k that still showed an older list would open
    // another file than it names.
    BuildRecentFileItems(m_recentSeparator, m_recentItems);
    for (TFMDIQuill *window : EditorWindows())
        window->setzeAlteDateien();
}

bool TFMain::JumpFromPanelLine(int index) {
    // A message of the compile the panel shows leads to its place as read after the compile.
    if (const std::optional<Workspace::PanelPlace> message = m_workspace.CompilePlaceAt(index)) {
        ShowSourcePlace(message->place, message->message);
        return true;
    }
    // Anything else, a run's stack trace above all, is read from the panel as it stands.
    const QStringList lines = m_memo1->toPlainText().split(u'\n');
    const std::optional<SourcePlace> place = SourcePlaceAt(lines, index, m_workspace.OpenFiles());
    if (!place)
        return false;
    ShowSourcePlace(*place, PanelMessageAt(lines, index));
    return true;
}

void TFMain::showWindow(TFMDIQuill *window) {
    if (window->isMinimized())
        window->showNormal();
    m_mdiArea->setActiveSubWindow(window);
    window->ActiveMemo()->setFocus();
}

QString TFMain::LastWindowFolder(const TFMDIQuill *except) const {
    const QList<QMdiSubWindow *> history =
        m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.crbegin(); it != history.crend(); ++it) {
        auto *window = qobject_cast<TFMDIQuill *>(*it);
        if (window && window != except && isOpen(window) && window->Document().hasFile())
            return window->FileDir();
    }
    return QString();
}

void TFMain::ShowSourcePlace(const SourcePlace &place, const QString &message) {
    const auto holder = [this, &place]() -> TFMDIQuill * {
        const int index = m_workspace.IndexHolding(place.fileName);
        return index >= 0 ? windowAt(index) : nullptr;
    };
    TFMDIQuill *window = holder();
    if (!window) {
        OpenFileByName(place.fileName); // says so when the file is gone
        window = holder();
        if (!window)
            return;
    }
    showWindow(window);
    window->GoToSourcePlace(place.line, place.column, message);
}

bool TFMain::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::Resize && m_startHint)
        m_startHint->setGeometry(m_mdiArea->viewport()->rect());
    // The window area's events may come before the panel exists.
    const bool panel = m_memo1 && (watched == m_memo1 || watched == m_memo1->viewport());
    if (panel && event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int line = m_memo1->cursorForPosition(mouse->position().toPoint()).blockNumber();
        bool jumped = false;
        RunCommand([&] { jumped = JumpFromPanelLine(line); });
        if (jumped)
            return true;
    } else if (watched == m_memo1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            const int line = m_memo1->textCursor().blockNumber();
            bool jumped = false;
            RunCommand([&] { jumped = JumpFromPanelLine(line); });
            if (jumped)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
