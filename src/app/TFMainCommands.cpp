// The frame's commands: opening and creating files, the window list, arrangement,
// external programs and the dialogs.
#include "TFMain.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/DialogResult.h"
#include "common/DialogStartFolder.h"
#include "common/ExecuteFile.h"
#include "common/FileHelpers.h"
#include "common/Helpers.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "editor/EditCommands.h"
#include "editor/MDIQuill.h"
#include "editor/WindowBuildTarget.h"
#include "ExternalPrograms.h"
#include "javaconsole/KonsoleClient.h"
#include "javaconsole/KonsoleProtocol.h"
#include "javaconsole/TFKonsole.h"
#include "javarun/BuildCommands.h"
#include "javarun/RunningPrograms.h"
#include "javarun/TerminalCommand.h"
#include "javarun/WarmCompiler.h"
#include "OpenDialogRequest.h"
#include "settings/HelpWindow.h"
#include "settings/Settings.h"
#include "TFAbout.h"
#include "VerticalTiling.h"

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
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#include <winnetwk.h>
#endif

namespace {

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
    if (!QFileInfo::exists(fileName)) {
        ShowWarningBox(QStringLiteral("Datei Öffnen"), QStringLiteral("Die Datei\r\n") + fileName +
                                                           QStringLiteral("\r\nexistiert nicht"));
        return;
    }
    m_recent.Remove(fileName);
    // The entries shown must match the list, or a click would open a different file than
    // the one it names.
    refreshRecentMenus();
    for (TFMDIQuill *window : std::as_const(m_windows)) {
        if (window->Document().holdsFile(fileName)) {
            ShowWarningBox(QStringLiteral("Hinweis"),
                           QStringLiteral("Datei ist schon geladen\r\n") + fileName);
            // The learner wanted to see the file: there it is.
            showWindow(window);
            return;
        }
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
    m_windows << window;
    showStartHint();
    if (QAction *stop = window->MenuItem(QStringLiteral("MnProgrammBeenden")))
        stop->setEnabled(m_programs->AnyRunning());
    {
        // Adding to a list without a current entry makes the new one current; the choice is
        // the user's alone.
        const int chosen = m_cbMainFile->currentIndex();
        const QSignalBlocker block(m_cbMainFile);
        m_cbMainFile->addItem(parts.base + parts.ext, fileName);
        m_cbMainFile->setCurrentIndex(chosen);
    }
    if (m_cbMainFile->count() == 2) {
        m_cbMainFile->setCurrentIndex(-1);
        m_cbMainFile->show();
        m_lMainJava->show();
    }
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
    if (!m_windows.contains(window))
        return;
    // A document that was never saved has no file to offer again.
    if (window->Document().hasFile())
        m_recent.Add(window->FileName());
    ShowRecentFiles();
    dropWindow(window);
}

void TFMain::dropWindow(TFMDIQuill *window) {
    const qsizetype i = m_windows.indexOf(window);
    if (i < 0)
        return;
    const QString selectedName = ChosenMainFile();
    m_windows.removeAt(i);
    showStartHint();
    const QSignalBlocker block(m_cbMainFile);
    m_cbMainFile->removeItem(static_cast<int>(i));

    if (m_windows.isEmpty()) {
        m_cbMainFile->hide();
        m_lMainJava->hide();
        rebuildMenuBar();
        return;
    }
    // The chosen main file stays chosen while a window of that file is still open.
    int keep = -1;
    if (!selectedName.isEmpty())
        for (int k = 0; k < m_windows.size(); ++k)
            if (m_windows.at(k)->Document().holdsFile(selectedName))
                keep = k;
    m_cbMainFile->setCurrentIndex(keep);
    rebuildMenuBar();
}

void TFMain::EditorRenamed(TFMDIQuill *window, const QString &) {
    // The window's entry follows its new name, so a main file chosen by it stays runnable.
    const qsizetype i = m_windows.indexOf(window);
    if (i < 0 || i >= m_cbMainFile->count())
        return;
    const QString fileName = window->FileName();
    m_cbMainFile->setItemText(int(i), QFileInfo(fileName).fileName());
    m_cbMainFile->setItemData(int(i), fileName);
}

bool TFMain::MitUmleitung() const {
    return m_cbMitUmleitung->isChecked();
}

QString TFMain::ChosenMainFile() const {
    const int index = m_cbMainFile->currentIndex();
    return index >= 0 ? m_cbMainFile->itemData(index).toString() : QString();
}

void TFMain::ChooseMainFile(const QString &fileName) {
    for (int i = 0; i < m_windows.size() && i < m_cbMainFile->count(); ++i) {
        if (m_windows.at(i)->Document().holdsFile(fileName)) {
            m_cbMainFile->setCurrentIndex(i);
            return;
        }
    }
}

QList<std::shared_ptr<BuildTarget>> TFMain::BuildTargets() {
    QList<std::shared_ptr<BuildTarget>> targets;
    for (TFMDIQuill *window : std::as_const(m_windows))
        targets << std::make_shared<WindowBuildTarget>(*window);
    return targets;
}

void TFMain::EditorActivated(TFMDIQuill *) {
    // The menu bar follows the active child. The resident compiler follows the compiles
    // (each one prepares it for its folder), not the activations: switching between windows
    // of two folders would otherwise start a new one every time.
    rebuildMenuBar();
}

void TFMain::prepareResidentCompiler() {
    if (Settings::Compiler.isEmpty())
        return;
    const TFMDIQuill *active = ActiveEditorWindow();
    const QString folder =
        active && active->Document().hasFile() ? active->FileDir() : Settings::EditorPfad;
    if (!folder.isEmpty())
        m_warmCompiler->Prepare(Settings::Compiler, folder);
}

void TFMain::SaveAllWindows() {
    const QList<TFMDIQuill *> windows = m_windows;
    for (TFMDIQuill *window : windows)
        if (m_windows.contains(window))
            window->MnSpeichernClick();
}

void TFMain::CloseAllWindows() {
    // A closed window leaves the list at once, so work on the list as it was.
    const QList<TFMDIQuill *> windows = m_windows;
    for (TFMDIQuill *window : windows)
        if (m_windows.contains(window))
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
    return m_windows.contains(window) ? window : nullptr;
}

void TFMain::BnSaveFileClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnSpeichernClick();
}

void TFMain::BnSaveAllClick() {
    const QList<QMdiSubWindow *> order = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        auto *window = qobject_cast<TFMDIQuill *>(*it);
        if (m_windows.contains(window))
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
    StopProgram(*this);
}

void TFMain::showProgramRunning(bool running) {
    if (QToolButton *stop = ToolButton(QStringLiteral("BnStop")))
        stop->setEnabled(running);
    for (TFMDIQuill *window : std::as_const(m_windows))
        if (QAction *item = window->MenuItem(QStringLiteral("MnProgrammBeenden")))
            item->setEnabled(running);
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
            new KonsoleClient([] { return KonsoleLauncherFor(Settings::Compiler, Settings::Run); });
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
    QList<bool> minimized;
    for (TFMDIQuill *window : std::as_const(m_windows))
        minimized << window->isMinimized();
    const QList<QRect> rects = StackedTileRects(m_mdiArea->viewport()->size(), minimized);
    for (qsizetype i = 0; i < m_windows.size(); ++i) {
        if (rects.at(i).isNull())
            continue;
        m_windows.at(i)->showNormal();
        m_windows.at(i)->setGeometry(rects.at(i));
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
    for (TFMDIQuill *window : std::as_const(m_windows))
        input.minimized << window->isMinimized();
    const QList<QRect> rects = VerticalTileRects(input);
    for (qsizetype i = 0; i < m_windows.size(); ++i)
        if (!rects.at(i).isNull())
            m_windows.at(i)->setGeometry(rects.at(i));
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
    for (TFMDIQuill *window : std::as_const(m_windows))
        window->ApplyBuildShortcuts();
    showBuildKeys();
    for (TFMDIQuill *window : std::as_const(m_windows)) {
        applyEditorFont(window);
        window->ApplyRuleColors();
        window->ConfigureUndoTimer();
        window->ActiveMemo()->viewport()->repaint();
    }
}

void TFMain::MnProduktInfoClick() {
    TFAbout about(this);
    about.exec();
}

void TFMain::ShowRecentFiles() {
    refreshRecentMenus();
    Settings::EditorPfad = ProgramDir();
    if (m_recent.Count() >= 1)
        Settings::EditorPfad = SplitFileName(m_recent.Entry(1)).dir;
}

void TFMain::BuildRecentFileItems(QAction *separator, const QList<QAction *> &items) {
    separator->setVisible(false);
    for (QAction *item : items)
        item->setVisible(false);
    const int shown = std::min<int>(m_recent.Count(), static_cast<int>(items.size()));
    for (int k = 1; k <= shown; ++k) {
        QAction *item = items.at(k - 1);
        separator->setVisible(true);
        QString name = m_recent.Entry(k);
        name.replace(QLatin1Char('&'), QStringLiteral("&&")); // shown as written, no mnemonic
        item->setText(QStringLiteral("&%1. ").arg(k) + name);
        item->setVisible(true);
        // The frame connected its own entries at creation; a window's entries lead here too.
        if (!m_recentItems.contains(item)) {
            disconnect(item, &QAction::triggered, this, nullptr);
            connect(item, &QAction::triggered, this, Guarded([this, k] { MnAlteDateiClick(k); }));
        }
    }
}

void TFMain::MnAlteDateiClick(int k) {
    const QString name = m_recent.Entry(k);
    if (!name.isEmpty())
        OpenFileByName(name);
}

void TFMain::MnHilfeClick() {
    ShowHelp(HelpStart, this);
}

void TFMain::MnDateilisteloeschenClick() {
    DeleteFileForced(WritableProgramDir() + QStringLiteral("Datei.alt"));
    m_recent.Clear();
    refreshRecentMenus();
}

void TFMain::refreshRecentMenus() {
    // Every menu shows the one list: an entry k that still showed an older list would open
    // another file than it names.
    BuildRecentFileItems(m_recentSeparator, m_recentItems);
    for (TFMDIQuill *window : std::as_const(m_windows))
        window->setzeAlteDateien();
}

bool TFMain::JumpFromPanelLine(int index) {
    const QStringList lines = m_memo1->toPlainText().split(u'\n');
    QStringList openFiles;
    for (const TFMDIQuill *window : std::as_const(m_windows))
        if (window->Document().hasFile())
            openFiles << window->FileName();
    const std::optional<SourcePlace> place = SourcePlaceAt(lines, index, openFiles);
    if (!place)
        return false;
    ShowSourcePlace(*place);
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
        if (window && window != except && m_windows.contains(window) &&
            window->Document().hasFile())
            return window->FileDir();
    }
    return QString();
}

void TFMain::ShowSourcePlace(const SourcePlace &place) {
    const auto holder = [this, &place]() -> TFMDIQuill * {
        for (TFMDIQuill *window : std::as_const(m_windows))
            if (window->Document().holdsFile(place.fileName))
                return window;
        return nullptr;
    };
    TFMDIQuill *window = holder();
    if (!window) {
        OpenFileByName(place.fileName); // says so when the file is gone
        window = holder();
        if (!window)
            return;
    }
    showWindow(window);
    TMemo *memo = window->ActiveMemo();
    const QTextBlock block = memo->document()->findBlockByNumber(place.line - 1);
    QTextCursor cursor(memo->document());
    if (block.isValid()) {
        if (place.column >= 0) {
            cursor.setPosition(block.position() + std::min(place.column, block.length() - 1));
        } else {
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        }
    } else {
        cursor.movePosition(QTextCursor::End);
    }
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
    memo->setFocus();
    // The status bar names the line the panel led to, as after a click there.
    const QTextBlock start = memo->document()->findBlock(cursor.selectionStart());
    window->SetStatusPanel(0, EditCommands::CaretText(start.blockNumber(),
                                                      cursor.selectionStart() - start.position()));
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
