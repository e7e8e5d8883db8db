#include "MDIQuill.h"

#include "codegen/JavaSource.h"
#include "colormemo/ColorMemo.h"
#include "colormemo/EditorMemoSetup.h"
#include "common/CommandGuard.h"
#include "common/ShortcutText.h"
#include "EditorHost.h"
#include "EditorMenus.h"
#include "EditorMessage.h"
#include "settings/Settings.h"
#include "WindowLiveCheck.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMetaMethod>
#include <QPlainTextDocumentLayout>
#include <QPointer>
#include <QPrinter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QWidget *MakePage(const QString &name, QWidget *content) {
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

// The monochrome view: Courier New at 13 pixels, tabs typed as text, no wrapping, both
// scroll bars, as the colour view.
void SetupMonochromeControl(TMemo *memo) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    memo->setFont(font);
    memo->setTabChangesFocus(false);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

} // namespace

TFMDIQuill::TFMDIQuill(EditorHost &host, QWidget *parent) : QMdiSubWindow(parent), m_host(host) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Java-Umgebung"));
    resize(707, 460);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_memoColor = new TColorMemo;
    m_memoColor->setObjectName(QStringLiteral("MemoColor"));
    m_memoSW = new TMemo;
    m_memoSW->setObjectName(QStringLiteral("MemoSW"));
    SetupEditorColorMemo(*m_memoColor);
    SetupMonochromeControl(m_memoSW);
    // Both views show the one text of the document; they differ only in how they paint it.
    QTextDocument &text = m_doc.text();
    text.setDocumentLayout(new QPlainTextDocumentLayout(&text));
    m_memoColor->ShowDocument(&text);
    m_memoSW->ShowDocument(&text);
    // The colour view lays the text out; the monochrome view, shown later, need not again.
    m_memoSW->SetRelayoutOnResize(false);
    m_memoColor->SetLineMarks(&m_doc.marks());
    m_doc.setCaretView(&m_caret);
    m_notebook = new QStackedWidget;
    m_notebook->setObjectName(QStringLiteral("Notebook1"));
    m_notebook->addWidget(MakePage(QStringLiteral("Farbe"), m_memoColor));
    m_notebook->addWidget(MakePage(QStringLiteral("Schwarzweiß"), m_memoSW));
    layout->addWidget(m_notebook, 1);

    m_statusBar = new QStatusBar;
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    const int widths[] = {140, 300, 50};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel;
        panel->setMinimumWidth(widths[i]);
        m_statusBar->addWidget(panel, i == 2 ? 1 : 0);
        m_panels << panel;
    }
    layout->addWidget(m_statusBar);
    setWidget(central);

    // Source lines for the template generator; never shown.
    m_memoCascadeTile = new TMemo(this);
    m_memoCascadeTile->setObjectName(QStringLiteral("MemoCascade_Tile"));
    m_memoCascadeTile->hide();
    m_memoCascadeTile->setPlainText(CascadeTileLines().join(u'\n'));

    m_timerUndo = new QTimer(this);
    m_timerUndo->setObjectName(QStringLiteral("TimerUndo"));
    m_timerUndo->setInterval(2000);
    ConnectCommand(m_timerUndo, &QTimer::timeout, this, &TFMDIQuill::TimerUndoTimer);
    m_bracketTimer = new QTimer(this);
    m_bracketTimer->setSingleShot(true);
    m_bracketTimer->setInterval(0);
    ConnectCommand(m_bracketTimer, &QTimer::timeout, this, &TFMDIQuill::ShowBracketBoxes);
    for (TMemo *memo : {static_cast<TMemo *>(m_memoColor), m_memoSW}) {
        ConnectCommand(memo, &QPlainTextEdit::cursorPositionChanged, m_bracketTimer,
                       qOverload<>(&QTimer::start));
        ConnectCommand(memo, &QPlainTextEdit::textChanged, m_bracketTimer,
                       qOverload<>(&QTimer::start));
    }

    CreateCommands();
    FormCreate();
    m_liveCheck = std::make_unique<WindowLiveCheck>(*this, m_host);
    ConnectCommand(m_liveCheck.get(), &WindowLiveCheck::MarksChanged, this,
                   &TFMDIQuill::ShowCheckMarks);

    // The window sees every key before the focused text control does.
    m_memoColor->installEventFilter(this);
    m_memoSW->installEventFilter(this);
    m_memoColor->viewport()->installEventFilter(this);
    m_memoSW->viewport()->installEventFilter(this);

    ConnectCommand(this, &QMdiSubWindow::windowStateChanged, this,
                   [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                       if (!(oldState & Qt::WindowActive) && (newState & Qt::WindowActive))
                           FormActivate();
                   });
}

TFMDIQuill::~TFMDIQuill() {
    m_liveCheck.reset();
    // The views outlive the document (they are children, deleted after the members): they
    // let go of its text and marks first.
    m_doc.setCaretView(nullptr);
    m_memoColor->SetLineMarks(nullptr);
    m_memoColor->ShowDocument(nullptr);
    m_memoSW->ShowDocument(nullptr);
}

void TFMDIQuill::FormCreate() {
    ApplyRuleColors();
    SetActiveMemo(m_memoColor);
    ApplyBuildShortcuts();
    CreateDebugCommands();
    m_saveFilter = {{QStringLiteral("Java-Dateien (*.Java)"), QStringLiteral("*.Java")},
                    {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")}};
}

void TFMDIQuill::SetActiveMemo(TMemo *memo) {
    if (memo != m_memoColor && memo != m_memoSW)
        return;
    m_activeMemo = memo;
    m_caret.setMemo(memo);
    m_notebook->setCurrentIndex(memo == m_memoColor ? 0 : 1);
    if (m_bracketTimer)
        m_bracketTimer->start();
}

QString TFMDIQuill::StatusPanel(int index) const {
    return index >= 0 && index < m_panels.size() ? m_panels[index]->text() : QString();
}

void TFMDIQuill::SetStatusPanel(int index, const QString &text) {
    if (index >= 0 && index < m_panels.size())
        m_panels[index]->setText(text);
}

bool TFMDIQuill::Modified() const {
    return m_activeMemo->Modified();
}

void TFMDIQuill::ApplyRuleColors() {
    ApplyEditorRuleColors(*m_memoColor,
                          {Settings::Color0, Settings::Color1, Settings::Color2, Settings::Color3});
}

void TFMDIQuill::ApplyBuildShortcuts() {
    // The user agreed to take the compile and run keys from the items that have them by
    // design: those items show no key until the compile and run keys move on.
    m_commandMenus.applyKeys(EditorMenus::Rows());
}

void TFMDIQuill::ShowProgramRunning(bool running) {
    m_commandMenus.setEnabled(CommandEnabled::WhileProgramRuns, running);
}

bool TFMDIQuill::IsBuildKey(const QKeySequence &key) const {
    return !key.isEmpty() && (MenuItem(QStringLiteral("MnCompiler"))->shortcut() == key ||
                              MenuItem(QStringLiteral("MnRun"))->shortcut() == key);
}

QList<KeyInUse> TFMDIQuill::KeysInUse() {
    QList<KeyInUse> keys = EditorMenus::MenuKeys();
    keys.append({ShortCutToText(CloseKey()), QStringLiteral("Fenster schließen")});
    return keys;
}

void TFMDIQuill::FormActivate() {
    m_host.EditorActivated(this);
    setzeAlteDateien();
}

void TFMDIQuill::setzeAlteDateien() {
    m_host.BuildRecentFileItems(m_recentSeparator, m_recentItems);
}

void TFMDIQuill::BringToFront() {
    if (QMdiArea *area = mdiArea())
        area->setActiveSubWindow(this);
    show();
    raise();
}

// --- Commands that the frame carries out ---

void TFMDIQuill::MnNeuClick() {
    m_host.MnNeuClick();
}
void TFMDIQuill::MnOeffnenClick() {
    m_host.MnOeffnenClick();
}
void TFMDIQuill::MnSpeichernAlleClick() {
    m_host.SaveAllWindows();
}
void TFMDIQuill::MnAlleSchliessenClick() {
    m_host.CloseAllWindows();
}
void TFMDIQuill::MnTaschenrechnerClick() {
    m_host.MnTaschenrechnerClick();
}
void TFMDIQuill::MnExplorerClick() {
    m_host.MnExplorerClick();
}
void TFMDIQuill::MnDOSEbeneClick() {
    m_host.MnDOSEbeneClick();
}
void TFMDIQuill::MnNotepadClick() {
    m_host.MnNotepadClick();
}
void TFMDIQuill::MnExitClick() {
    m_host.MnExitClick();
}

// --- Clipboard ---

void TFMDIQuill::MnBlockAusschneidenClick() {
    m_activeMemo->CutToClipboard();
    m_activeMemo->SetModified(true);
}

void TFMDIQuill::MnBlockKopierenClick() {
    m_activeMemo->CopyToClipboard();
}

void TFMDIQuill::MnBlockEinfuegenClick() {
    m_activeMemo->PasteFromClipboard();
    m_activeMemo->SetModified(true);
}

// --- Closing, keys and messages ---

bool TFMDIQuill::FormCloseQuery() {
    if (!Modified())
        return true;
    const bool unnamed = !m_doc.hasFile();
    const QString text = unnamed
                             ? QStringLiteral("Möchten Sie die Änderungen speichern?")
                             : QStringLiteral("Änderungen nach '%1' speichern?").arg(FileName());
    const MsgButton answer = ui().messageBox(MsgIcon::Question, QStringLiteral("Bestätigen"), text,
                                             {MsgButton::Yes, MsgButton::No, MsgButton::Cancel});
    if (answer == MsgButton::Cancel)
        return false;
    if (answer == MsgButton::Yes) {
        // Only a written document may go: a failed write or a cancelled save-as dialog keeps
        // the window, since closing would throw the unsaved text away.
        const SaveResult result = unnamed ? SaveAs() : Save();
        return result == SaveResult::Saved;
    }
    return true;
}

void TFMDIQuill::closeEvent(QCloseEvent *event) {
    if (!m_closed) {
        // Qt's closing code around this is no place for an error to pass through: one in the
        // close question is reported here, and the window stays with its text.
        bool mayClose = false;
        RunCommand([&] { mayClose = FormCloseQuery(); });
        if (!mayClose) {
            event->ignore();
            return;
        }
        m_closed = true;
        m_host.ForgetEditorWindow(this);
    }
    QMdiSubWindow::closeEvent(event);
}

QString TFMDIQuill::SnippetCommandForKey(int key, Qt::KeyboardModifiers modifiers) {
    const CommandRow<TFMDIQuill> *row = EditorMenus::RowForWindowKey(key, modifiers);
    return row ? QString::fromLatin1(row->name) + QStringLiteral("Click") : QString();
}

void TFMDIQuill::FormKeyDown(QKeyEvent *event) {
    const CommandRow<TFMDIQuill> *row =
        EditorMenus::RowForWindowKey(event->key(), event->modifiers());
    if (row && row->command)
        RunCommand([this, row] { (this->*row->command)(); });
}

QAction *TFMDIQuill::MenuItemForKey(const QKeyEvent *event) const {
    const QKeySequence pressed(
        QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())));
    for (QMenu *menu : m_menus) {
        if (!menu->menuAction()->isVisible())
            continue;
        for (QAction *action : menu->actions()) {
            if (!action->isVisible() || !action->isEnabled() || action->shortcut() != pressed ||
                pressed.isEmpty())
                continue;
            // An item whose command is not there yet leaves the key to the text control.
            const CommandRow<TFMDIQuill> *row = m_commandMenus.rowOf(action);
            return row && row->command ? action : nullptr;
        }
    }
    return nullptr;
}

bool TFMDIQuill::eventFilter(QObject *watched, QEvent *event) {
    // While the incremental search runs, it takes the keys it needs before anything else.
    if (m_incrementalSearch.IsActive() && IncrementalSearchEvent(watched, event))
        return true;
    if (event->type() == QEvent::ToolTip && CheckToolTip(watched, event))
        return true;
    // A text control gets its mouse events through its viewport.
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == m_memoColor->viewport() || watched == m_memoSW->viewport()))
        RunCommand(
            [&] { watched == m_memoColor->viewport() ? MemoColorMouseUp() : MemoSWMouseUp(); });
    if (watched != m_memoColor && watched != m_memoSW)
        return QMdiSubWindow::eventFilter(watched, event);
    // Unless the user gave the key to compiling or running.
    const auto isCloseKey = [this](const QKeyEvent *key) {
        return key->key() == Qt::Key_F4 &&
               (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
               !IsBuildKey(CloseKey());
    };
    if (event->type() == QEvent::ShortcutOverride && isCloseKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && isCloseKey(static_cast<QKeyEvent *>(event))) {
        // Ctrl+F4 closes the window, with its close question, as in MDI programs.
        close();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The window's menu keys win over the text control's own bindings (Ctrl+E, Ctrl+K
        // and Ctrl+Z among them): claim the key so it arrives as a key press below.
        if (MenuItemForKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Held keys repeat their releases too; only the real release counts.
        if (!key->isAutoRepeat())
            RunCommand([&] { watched == m_memoColor ? MemoColorKeyUp() : MemoSWKeyUp(); });
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        m_skipSnapshot = false;
        FormKeyDown(key);
        if (QAction *item = MenuItemForKey(key)) {
            m_skipSnapshot = item->objectName() == QLatin1String("MnRueckgaengig") ||
                             item->objectName() == QLatin1String("MnWiderrufen");
            item->trigger();
            return true;
        }
        bool typed = false;
        RunCommand([&] { typed = TypeWithIndent(static_cast<TMemo *>(watched), key); });
        if (typed)
            return true;
        // The text control types Ctrl+Alt chords as characters (Ctrl+Alt stands for AltGr on
        // Windows). A chord whose text is just its own letter is a command key that the window
        // does not have, not a character: it must not change the text.
        const Qt::KeyboardModifiers held = key->modifiers();
        if ((held & Qt::ControlModifier) && (held & Qt::AltModifier) && key->key() >= Qt::Key_A &&
            key->key() <= Qt::Key_Z && key->text().size() == 1 &&
            key->text().at(0).toUpper().unicode() == key->key())
            return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

bool TFMDIQuill::event(QEvent *event) {
    if (event->type() == EditorMessageEvent::EventType()) {
        // A compile or run keeps the event loop going, so the window may be closed and
        // deleted before the handler returns.
        const QPointer<TFMDIQuill> alive(this);
        const int message = static_cast<EditorMessageEvent *>(event)->message();
        RunCommand([this, message] { RunMessage(message); });
        if (alive)
            QMdiSubWindow::event(event);
        return true;
    }
    return QMdiSubWindow::event(event);
}
