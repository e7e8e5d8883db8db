#include "TFMain.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/FileHelpers.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "common/QuillError.h"
#include "common/ShortcutText.h"
#include "common/UiProvider.h"
#include "editor/MDIQuill.h"
#include "FrameMenus.h"
#include "javarun/RunningPrograms.h"
#include "settings/FontFallback.h"
#include "settings/Settings.h"
#include "ToolIcons.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPanelButtonHeight = 33;
constexpr int kPanelErrorHeight = 116;
constexpr int kSplitterWidth = 3;

QColor colorFromValue(quint32 value) {
    // Stored colours are 0x00BBGGRR.
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// A font setting (name, points, bold, colour 0x00BBGGRR) on a control.
void ApplyFontSetting(QWidget *widget, const QString &name, int size, bool bold, quint32 color) {
    QFont font(name);
    if (size > 0)
        font.setPointSize(size);
    font.setBold(bold);
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colorFromValue(color));
    palette.setColor(QPalette::WindowText, colorFromValue(color));
    widget->setPalette(palette);
}

// The family of the desktop's fixed-pitch font ("monospace" resolved to the font behind it).
QString SystemFixedFamily() {
    return QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
}

} // namespace

TFMain::TFMain(const QStringList &commandLine, QWidget *parent)
    : QMainWindow(parent), m_commandLine(commandLine) {
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QStringLiteral("Java-Umgebung"));
    createControls();
    createMenus();
    createDebugger();
    m_workspace.SetOutput(&m_output);
    ConnectCommand(&m_workspace, &Workspace::ProgramRunningChanged, this,
                   &TFMain::showProgramRunning);
    ConnectCommand(&m_workspace, &Workspace::MainFilesChanged, this, &TFMain::showMainFiles);
    ConnectCommand(&m_workspace, &Workspace::CompileFinished, this,
                   [this](const CompileResult &result) {
                       for (TFMDIQuill *window : EditorWindows())
                           window->ShowCompileMarks(result);
                   });

    // What the frame does when it is created, in this order.
    m_memo1->clear();
    Settings::HelpFileName = ProgramDir() + QStringLiteral("EDIT32.HLP");
    Settings::EditorPfad = ProgramDir();
    Settings::IniFileName = WritableProgramDir() + QStringLiteral("Tintra.INI");
    showStoreNotice(LoadSettings(m_labelErrorFont->font().family(),
                                 static_cast<qint16>(m_labelErrorFont->font().pointSize())));
    ReplaceMissingFonts(QFontDatabase::families(), m_labelErrorFont->font().family());
    ApplyFontSetting(m_labelEditorFont, Settings::EditorSchriftName, Settings::EditorSchriftGroesse,
                     Settings::EditorSchriftBold, Settings::EditorSchriftFarbe);
    ApplyFontSetting(m_labelErrorFont, Settings::ErrorSchriftName, Settings::ErrorSchriftGroesse,
                     Settings::ErrorSchriftBold, Settings::ErrorSchriftFarbe);
    applyErrorFont();
    applyBuildKeys();
    showBuildKeys();
    m_workspace.Recent().Load(Settings::RootKey);
    m_workspace.LoadExplanations(ProgramDir() + CheckExplanationsFileName());
    ShowRecentFiles();
    m_lMainJava->hide();
    m_cbMainFile->hide();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    ConnectCommand(m_timer1, &QTimer::timeout, this, &TFMain::Timer1Timer);
    m_timer1->start();
}

TFMain::~TFMain() {
    // The editor windows are destroyed with the MDI area after this body; they must not
    // reach back into a half-destroyed frame.
    m_closing = true;
    m_debugSession.reset();
    disconnect(m_mdiArea, nullptr, this, nullptr);
    disconnect(m_memo1, nullptr, this, nullptr);
    disconnect(m_cbMainFile, nullptr, this, nullptr);
    disconnect(m_cbMitUmleitung, nullptr, this, nullptr);
    disconnect(&m_workspace, nullptr, this, nullptr);
    m_workspace.SetOutput(nullptr);
    m_workspace.Clear();
}

void TFMain::createControls() {
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    createToolBar();
    layout->addWidget(m_panelButton);

    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    ConnectCommand(m_mdiArea, &QMdiArea::subWindowActivated, this, &TFMain::rebuildMenuBar);
    createStartHint();

    m_panelError = new QWidget(central);
    m_panelError->setObjectName(QStringLiteral("PanelError"));
    auto *errorLayout = new QVBoxLayout(m_panelError);
    errorLayout->setContentsMargins(0, 0, 0, 0);
    m_memo1 = new TMemo(m_panelError);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    errorLayout->addWidget(m_memo1);
    m_output = PanelOutput(m_memo1);
    // Whatever changes the panel's text after a compile was shown (a run, the learner's
    // typing) moves its messages off their lines.
    ConnectCommand(m_memo1, &QPlainTextEdit::textChanged, this,
                   [this] { m_workspace.PanelChanged(); });
    m_memo1->setToolTip(QStringLiteral("Doppelklick auf eine Fehlermeldung springt zur Zeile"));
    m_memo1->installEventFilter(this);
    m_memo1->viewport()->installEventFilter(this);

    m_splitter1 = new QSplitter(Qt::Vertical, central);
    m_splitter1->setObjectName(QStringLiteral("Splitter1"));
    m_splitter1->setHandleWidth(kSplitterWidth);
    m_splitter1->setChildrenCollapsible(false);
    m_splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: blue; }"));
    m_splitter1->addWidget(m_mdiArea);
    m_splitter1->addWidget(m_panelError);
    m_splitter1->setStretchFactor(0, 1);
    m_splitter1->setStretchFactor(1, 0);
    m_splitter1->setSizes({600, kPanelErrorHeight});
    layout->addWidget(m_splitter1, 1);

    // Hidden helpers: the scratch buffer and the labels that carry the two fonts.
    m_mainMemo = new TMemo(central);
    m_mainMemo->setObjectName(QStringLiteral("MainMemo"));
    m_mainMemo->hide();
    m_labelEditorFont = new QLabel(central);
    m_labelEditorFont->setObjectName(QStringLiteral("LabelEditorFont"));
    m_labelEditorFont->hide();
    m_labelErrorFont = new QLabel(central);
    m_labelErrorFont->setObjectName(QStringLiteral("LabelErrorFont"));
    // The default font of both groups: the desktop's fixed-pitch font at 10 points, named by
    // its real family so the settings dialog shows what the editor uses.
    m_labelErrorFont->setFont(QFont(SystemFixedFamily(), 10));
    m_labelErrorFont->hide();

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusBar2"));
    statusBar()->hide();
}

void TFMain::createStartHint() {
    // What to do first, on the empty background; it goes as soon as a window is open.
    m_startHint = new QLabel(m_mdiArea->viewport());
    m_startHint->setObjectName(QStringLiteral("LStartHinweis"));
    m_startHint->setText(QStringLiteral("Strg+N – neues Java-Programm mit dem Assistenten\n"
                                        "Strg+O – Datei öffnen\n"
                                        "F1 – Hilfe"));
    m_startHint->setTextFormat(Qt::PlainText);
    m_startHint->setAlignment(Qt::AlignCenter);
    m_startHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = m_startHint->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    m_startHint->setFont(font);
    // Light text on the dark background of the window area.
    QPalette palette = m_startHint->palette();
    palette.setColor(QPalette::WindowText, m_mdiArea->palette().color(QPalette::Light));
    m_startHint->setPalette(palette);
    m_startHint->setGeometry(m_mdiArea->viewport()->rect());
    m_startHint->lower();
    m_mdiArea->viewport()->installEventFilter(this);
}

void TFMain::showStartHint() {
    m_startHint->setVisible(m_workspace.Count() == 0);
}

void TFMain::showBuildKeys() {
    // The tool tips name the keys the learner chose; a key text that is no key names none.
    for (const CommandRow<TFMain> &row : FrameCommandRows()) {
        QToolButton *button = row.keySetting ? ToolButton(QString::fromLatin1(row.name)) : nullptr;
        if (!button)
            continue;
        const QString key = ShortCutToText(TextToShortCut(*row.keySetting));
        button->setToolTip(key.isEmpty() ? row.captionText()
                                         : QStringLiteral("%1 (%2)").arg(row.captionText(), key));
    }
}

void TFMain::createToolBar() {
    m_panelButton = new QWidget(this);
    m_panelButton->setObjectName(QStringLiteral("PanelButton"));
    m_panelButton->setFixedHeight(kPanelButtonHeight);
    auto *row = new QHBoxLayout(m_panelButton);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);

    // The buttons of the command table's tool bar, in its order.
    bool inToolBar = false;
    for (const CommandRow<TFMain> &command : FrameCommandRows()) {
        if (command.kind == CommandRowKind::ToolBar || command.kind == CommandRowKind::Menu) {
            inToolBar = command.kind == CommandRowKind::ToolBar;
            continue;
        }
        if (!inToolBar)
            continue;
        if (command.kind == CommandRowKind::Separator) {
            row->addSpacing(8);
            continue;
        }
        auto *button = new QToolButton(m_panelButton);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setIcon(ToolIcon(static_cast<ToolPicture>(command.picture)));
        button->setIconSize(QSize(22, 22));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(command.captionText());
        if (*command.hint)
            button->setToolTip(command.hintText());
        button->setEnabled(command.enabled == CommandEnabled::Always);
        if (command.command)
            ConnectCommand(button, &QToolButton::clicked, this, command.command);
        row->addWidget(button);
    }
    if (QToolButton *stop = ToolButton(QStringLiteral("BnStop")))
        stop->setIcon(QIcon::fromTheme(QStringLiteral("process-stop"),
                                       style()->standardIcon(QStyle::SP_BrowserStop)));
    if (QToolButton *konsole = ToolButton(QStringLiteral("BnJavaKonsole")))
        konsole->setIcon(QIcon::fromTheme(QStringLiteral("utilities-terminal"),
                                          style()->standardIcon(QStyle::SP_CommandLink)));
    row->addSpacing(16);

    m_cbMitUmleitung = new QCheckBox(QStringLiteral("Mit Umleitung"), m_panelButton);
    m_cbMitUmleitung->setObjectName(QStringLiteral("cbMitUmleitung"));
    m_cbMitUmleitung->setChecked(true);
    ConnectCommand(m_cbMitUmleitung, &QCheckBox::toggled, this,
                   [this](bool checked) { m_workspace.SetMitUmleitung(checked); });
    m_cbMitUmleitung->setToolTip(
        QStringLiteral("Angekreuzt: Starten zeigt die Ausgaben des Programms im Fehlerfenster "
                       "(Programme mit Fenster oder Tastatureingabe starten trotzdem in einem "
                       "eigenen Fenster).\nNicht angekreuzt: jedes Programm startet in einem "
                       "eigenen Terminalfenster."));
    m_cbMitUmleitung->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_cbMitUmleitung);
    row->addSpacing(16);

    m_lMainJava = new QLabel(QStringLiteral("Maindatei"), m_panelButton);
    m_lMainJava->setObjectName(QStringLiteral("LMainJava"));
    row->addWidget(m_lMainJava);
    row->addSpacing(4);
    m_cbMainFile = new QComboBox(m_panelButton);
    m_cbMainFile->setObjectName(QStringLiteral("cbMainFile"));
    m_cbMainFile->setToolTip(
        QStringLiteral("Bestimmt bei mehreren Dateien die Javadatei mit der \"Main\"-Routine"));
    m_cbMainFile->setMinimumContentsLength(18);
    m_cbMainFile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbMainFile->setFocusPolicy(Qt::NoFocus);
    ConnectCommand(m_cbMainFile, &QComboBox::currentIndexChanged, this,
                   [this](int index) { m_workspace.SetMainIndex(index); });
    row->addWidget(m_cbMainFile);
    row->addStretch(1);
}

void TFMain::createMenus() {
    m_commandMenus = BuildCommandMenus(this, this, FrameCommandRows(), true);
    m_menuDatei = m_commandMenus.menus.value(0);
    m_menuOptionen = m_commandMenus.menus.value(1);
    m_menuFenster = m_commandMenus.menus.value(2);
    m_menuHilfe = m_commandMenus.menus.value(3);
    m_recentSeparator = m_menuDatei->addSeparator();
    m_recentSeparator->setVisible(false);
    for (int k = 1; k <= RecentFiles::MaxCount; ++k) {
        QAction *entry = m_menuDatei->addAction(QStringLiteral("&%1.").arg(k));
        entry->setObjectName(QStringLiteral("MnAlteDatei%1").arg(k));
        entry->setVisible(false);
        if (k <= 4)
            entry->setToolTip(
                QStringLiteral("Zeigt eine Liste der zuletzt geschlossenen Dateien an"));
        ConnectCommand(entry, &QAction::triggered, this, [this, k] { MnAlteDateiClick(k); });
        m_recentItems << entry;
    }
    rebuildMenuBar();
}

void TFMain::rebuildMenuBar() {
    if (m_closing)
        return;
    auto *window = qobject_cast<TFMDIQuill *>(m_mdiArea->currentSubWindow());
    if (!isOpen(window))
        window = nullptr;
    if (window == m_mergedWindow && !menuBar()->actions().isEmpty())
        return;
    m_mergedWindow = window;

    // The active window's "&Datei" stands in place of the frame's, its other menus follow;
    // "&Optionen", "&Fenster" and "&Hilfe" always stay.
    menuBar()->clear();
    const QList<QMenu *> windowMenus = window ? window->Menus() : QList<QMenu *>();
    if (windowMenus.isEmpty())
        menuBar()->addMenu(m_menuDatei);
    for (QMenu *menu : windowMenus)
        menuBar()->addMenu(menu);
    menuBar()->addMenu(m_menuOptionen);
    menuBar()->addMenu(m_menuFenster);
    menuBar()->addMenu(m_menuHilfe);
}

void TFMain::applyBuildKeys() {
    // A key the user gave to compiling or running is taken from the frame's items too, or
    // the two items would share it and neither would react.
    m_commandMenus.applyKeys(FrameCommandRows());
}

QList<KeyInUse> TFMain::KeysInUse() const {
    QList<KeyInUse> keys = TFMDIQuill::KeysInUse();
    for (const auto &[text, caption] : DesignKeys(FrameCommandRows())) {
        const bool known = std::any_of(keys.cbegin(), keys.cend(),
                                       [&text](const KeyInUse &use) { return use.key == text; });
        if (!known)
            keys.append({text, caption});
    }
    return keys;
}

void TFMain::applyErrorFont() {
    ApplyFontSetting(m_memo1, Settings::ErrorSchriftName, Settings::ErrorSchriftGroesse,
                     Settings::ErrorSchriftBold, Settings::ErrorSchriftFarbe);
    // Stack traces indent their lines with a tab: four blanks wide, not a fifth of the panel.
    m_memo1->setTabStopDistance(QFontMetricsF(m_memo1->font()).horizontalAdvance(u' ') * 4);
}

void TFMain::applyEditorFont(TFMDIQuill *window) const {
    for (QWidget *memo :
         {static_cast<QWidget *>(window->MemoColor()), static_cast<QWidget *>(window->MemoSW())})
        ApplyFontSetting(memo, Settings::EditorSchriftName, Settings::EditorSchriftGroesse,
                         Settings::EditorSchriftBold, Settings::EditorSchriftFarbe);
}

QToolButton *TFMain::ToolButton(const QString &objectName) const {
    return m_panelButton->findChild<QToolButton *>(objectName);
}

QPlainTextEdit *TFMain::MainMemo() {
    return m_mainMemo;
}
QPrinter &TFMain::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}
QPlainTextEdit *TFMain::Memo1() const {
    return m_memo1;
}
QList<TFMDIQuill *> TFMain::EditorWindows() const {
    QList<TFMDIQuill *> windows;
    for (int i = 0; i < m_workspace.Count(); ++i)
        windows << windowAt(i);
    return windows;
}

TFMDIQuill *TFMain::windowAt(int index) const {
    return qobject_cast<TFMDIQuill *>(m_workspace.Document(index).Window());
}

bool TFMain::isOpen(const TFMDIQuill *window) const {
    return m_workspace.IndexOf(window) >= 0;
}

void TFMain::closeEvent(QCloseEvent *event) {
    // Every editor window asks its own question first, the top one first; one refusal
    // keeps the frame and every window still open.
    QList<QMdiSubWindow *> order = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(order.begin(), order.end());
    for (QMdiSubWindow *sub : order) {
        if (!sub->close()) {
            event->ignore();
            return;
        }
    }
    // An error while tidying up is reported here, not passed through Qt's closing code; the
    // frame closes all the same, as every window has agreed.
    RunCommand([this] {
        deleteTemporaryFiles();
        warnStoreProblemOnce(m_workspace.Recent().Save(Settings::RootKey));
    });
    m_closing = true;
    // Closing Quill ends the program being debugged.
    m_debugSession->Finish();
    event->accept();
}

void TFMain::deleteTemporaryFiles() const {
    const QDir dir(ProgramDir());
    for (const QString &pattern : {QStringLiteral("TEMP*"), QStringLiteral("TMP*")}) {
        const QStringList names = dir.entryList({pattern}, QDir::Files | QDir::Hidden |
                                                               QDir::System | QDir::CaseSensitive);
        for (const QString &name : names)
            DeleteFileForced(dir.filePath(name));
    }
}
