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
#include "javarun/RunningPrograms.h"
#include "javarun/WarmCompiler.h"
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
    m_warmCompiler = new WarmCompiler(QString(), this);
    m_programs = new RunningPrograms(this);
    connect(m_programs, &RunningPrograms::RunningChanged, this,
            [this](bool running) { showProgramRunning(running); });

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
    m_recent.Load(Settings::RootKey);
    ShowRecentFiles();
    m_lMainJava->hide();
    m_cbMainFile->hide();
    m_javaDoc->setVisible(false);
    m_javaDocSeparator->setVisible(false);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
    m_timer1->start();
}

TFMain::~TFMain() {
    // The editor windows are destroyed with the MDI area after this body; they must not
    // reach back into a half-destroyed frame.
    m_closing = true;
    disconnect(m_mdiArea, nullptr, this, nullptr);
    m_windows.clear();
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
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { rebuildMenuBar(); });
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
    m_startHint->setVisible(m_windows.isEmpty());
}

void TFMain::showBuildKeys() {
    // The tool tips name the keys the learner chose; a key text that is no key names none.
    const auto hint = [](const QString &caption, const QString &keyText) {
        const QString key = ShortCutToText(TextToShortCut(keyText));
        return key.isEmpty() ? caption : QStringLiteral("%1 (%2)").arg(caption, key);
    };
    ToolButton(QStringLiteral("BnCompile"))
        ->setToolTip(hint(QStringLiteral("Kompilieren"), Settings::TastencodeCompiler));
    ToolButton(QStringLiteral("BnRun"))
        ->setToolTip(hint(QStringLiteral("Starten"), Settings::TastencodeRun));
}

void TFMain::createToolBar() {
    m_panelButton = new QWidget(this);
    m_panelButton->setObjectName(QStringLiteral("PanelButton"));
    m_panelButton->setFixedHeight(kPanelButtonHeight);
    auto *row = new QHBoxLayout(m_panelButton);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);

    auto addButton = [&](const char *name, ToolPicture picture, const QString &hint,
                         void (TFMain::*handler)()) {
        auto *button = new QToolButton(m_panelButton);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(ToolIcon(picture));
        button->setIconSize(QSize(22, 22));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        if (!hint.isEmpty())
            button->setToolTip(hint);
        connect(button, &QToolButton::clicked, this,
                Guarded([this, handler] { (this->*handler)(); }));
        row->addWidget(button);
    };
    auto addGap = [&] { row->addSpacing(8); };

    addButton("BnDateiOeffnen", ToolPicture::Open, QStringLiteral("Datei Öffnen (^O)"),
              &TFMain::MnOeffnenClick);
    addButton("BnNeu", ToolPicture::New, QStringLiteral("Neue Datei (^N)"), &TFMain::MnNeuClick);
    addButton("BnSaveFile", ToolPicture::Save, QStringLiteral("Datei speichern (^S)"),
              &TFMain::BnSaveFileClick);
    addButton("BnSaveAll", ToolPicture::SaveAll, QString(), &TFMain::BnSaveAllClick);
    addGap();
    addButton("BnDrucken", ToolPicture::Print, QStringLiteral("Aktuelles Fenster drucken (^P)"),
              &TFMain::BnDruckenClick);
    addGap();
    addButton("BnUndo", ToolPicture::Undo, QStringLiteral("Wiederherstellen (^Z)"),
              &TFMain::BnUndoClick);
    addButton("BnCut", ToolPicture::Cut, QStringLiteral("Auschneiden (^X)"), &TFMain::BnCutClick);
    addButton("BnPaste", ToolPicture::Paste, QStringLiteral("Einfügen (^V)"),
              &TFMain::BnPasteClick);
    addGap();
    // No key: F6 arranges the windows as a cascade, and no key goes to the next window.
    addButton("BnPrev", ToolPicture::Previous, QStringLiteral("Vorheriges Fenster"),
              &TFMain::MnVorherigesFensterClick);
    addButton("BnNext", ToolPicture::Next, QStringLiteral("Nächstes Fenster"),
              &TFMain::MnNaechstesFensterClick);
    addGap();
    // Their tool tips follow the keys of the settings (showBuildKeys).
    addButton("BnCompile", ToolPicture::Compile, QString(), &TFMain::BnCompileClick);
    addButton("BnRun", ToolPicture::Run, QString(), &TFMain::BnRunClick);
    addButton("BnStop", ToolPicture::Run, QStringLiteral("Programm beenden (Strg+F2)"),
              &TFMain::BnStopClick);
    if (QToolButton *stop = ToolButton(QStringLiteral("BnStop"))) {
        stop->setIcon(QIcon::fromTheme(QStringLiteral("process-stop"),
                                       style()->standardIcon(QStyle::SP_BrowserStop)));
        stop->setEnabled(false);
    }
    addGap();
    addButton("BnJavaHelp", ToolPicture::JavaHelp,
              QStringLiteral("zeigt ein Toolfenster mit den Java-Methoden"),
              &TFMain::BnJavaHelpClick);
    addButton("BnJavaKonsole", ToolPicture::JavaHelp,
              QStringLiteral("Java-Konsole: Java-Zeilen ausprobieren (Strg+J)"),
              &TFMain::MnJavaKonsoleClick);
    if (QToolButton *konsole = ToolButton(QStringLiteral("BnJavaKonsole")))
        konsole->setIcon(QIcon::fromTheme(QStringLiteral("utilities-terminal"),
                                          style()->standardIcon(QStyle::SP_CommandLink)));
    row->addSpacing(16);

    m_cbMitUmleitung = new QCheckBox(QStringLiteral("Mit Umleitung"), m_panelButton);
    m_cbMitUmleitung->setObjectName(QStringLiteral("cbMitUmleitung"));
    m_cbMitUmleitung->setChecked(true);
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
    row->addWidget(m_cbMainFile);
    row->addStretch(1);
}

void TFMain::createMenus() {
    auto item = [this](QMenu *menu, const QString &caption, void (TFMain::*handler)(),
                       const QKeySequence &key = QKeySequence(), const QString &hint = QString()) {
        QAction *action = menu->addAction(caption);
        if (!key.isEmpty()) {
            action->setShortcut(key);
            m_designKeys.append({action, key});
        }
        if (!hint.isEmpty())
            action->setToolTip(hint);
        connect(action, &QAction::triggered, this,
                Guarded([this, handler] { (this->*handler)(); }));
        return action;
    };

    m_menuDatei = new QMenu(QStringLiteral("&Datei"), this);
    m_menuDatei->setToolTipsVisible(true);
    item(m_menuDatei, QStringLiteral("&Neu..."), &TFMain::MnNeuClick,
         QKeySequence(Qt::CTRL | Qt::Key_N));
    item(m_menuDatei, QStringLiteral("&Öffnen..."), &TFMain::MnOeffnenClick,
         QKeySequence(Qt::CTRL | Qt::Key_O));
    m_menuDatei->addSeparator();
    item(m_menuDatei, QStringLiteral("Taschen&rechner"), &TFMain::MnTaschenrechnerClick);
    item(m_menuDatei, QStringLiteral("D&OS-Ebene"), &TFMain::MnDOSEbeneClick, QKeySequence(),
         QStringLiteral("Wechseln zur DOS-Ebene (Bitte mit EXIT verlassen)"));
    item(m_menuDatei, QStringLiteral("&Explorer"), &TFMain::MnExplorerClick);
    item(m_menuDatei, QStringLiteral("&Notepad"), &TFMain::MnNotepadClick);
    m_menuDatei->addSeparator();
    item(m_menuDatei, QStringLiteral("&Beenden"), &TFMain::MnExitClick);
    m_recentSeparator = m_menuDatei->addSeparator();
    m_recentSeparator->setVisible(false);
    for (int k = 1; k <= RecentFiles::MaxCount; ++k) {
        QAction *entry = m_menuDatei->addAction(QStringLiteral("&%1.").arg(k));
        entry->setObjectName(QStringLiteral("MnAlteDatei%1").arg(k));
        entry->setVisible(false);
        if (k <= 4)
            entry->setToolTip(
                QStringLiteral("Zeigt eine Liste der zuletzt geschlossenen Dateien an"));
        connect(entry, &QAction::triggered, this, Guarded([this, k] { MnAlteDateiClick(k); }));
        m_recentItems << entry;
    }

    m_menuOptionen = new QMenu(QStringLiteral("&Optionen"), this);
    m_menuOptionen->setToolTipsVisible(true);
    item(m_menuOptionen, QStringLiteral("Netzwerklaufwerk verbinden"),
         &TFMain::MnNetzwerklaufwerkVerbindenClick);
    item(m_menuOptionen, QStringLiteral("Netzwerklaufwerk trennen"),
         &TFMain::MnNetzwerklaufwerkTrennenClick);
    m_menuOptionen->addSeparator();
    item(m_menuOptionen, QStringLiteral("&Dateiliste löschen"), &TFMain::MnDateilisteloeschenClick,
         QKeySequence(), QStringLiteral("Löschen der Dateiliste im Menü Datei"));
    m_javaDocSeparator = m_menuOptionen->addSeparator();
    m_javaDoc = m_menuOptionen->addAction(QStringLiteral("Java Documentation"));
    m_menuOptionen->addSeparator();
    item(m_menuOptionen, QStringLiteral("Java-&Konsole"), &TFMain::MnJavaKonsoleClick,
         QKeySequence(Qt::CTRL | Qt::Key_J),
         QStringLiteral("Java-Zeilen ausprobieren und eigene Klassen aufrufen"))
        ->setObjectName(QStringLiteral("MnJavaKonsole"));
    m_menuOptionen->addSeparator();
    item(m_menuOptionen, QStringLiteral("&Einstellungen..."), &TFMain::MnEinstellungenClick);

    m_menuFenster = new QMenu(QStringLiteral("&Fenster"), this);
    item(m_menuFenster, QStringLiteral("&Vorheriges Fenster"), &TFMain::MnVorherigesFensterClick);
    item(m_menuFenster, QStringLiteral("&Nächstes  Fenster"), &TFMain::MnNaechstesFensterClick);
    m_menuFenster->addSeparator();
    item(m_menuFenster, QStringLiteral("Fenster-&Horizontal teilen"), &TFMain::MnFensterTeilenClick,
         QKeySequence(Qt::Key_F4));
    item(m_menuFenster, QStringLiteral("Fenster-Vertikal &teilen"),
         &TFMain::MnFensterVertikalteilenClick, QKeySequence(Qt::Key_F5));
    item(m_menuFenster, QStringLiteral("Fenster-&Kaskade"), &TFMain::MnFensterKaskadeClick,
         QKeySequence(Qt::Key_F6));
    item(m_menuFenster, QStringLiteral("Alle &Symbole anordnen"),
         &TFMain::MnAlleSymboleanordnenClick);

    m_menuHilfe = new QMenu(QStringLiteral("&Hilfe"), this);
    item(m_menuHilfe, QStringLiteral("&Hilfe"), &TFMain::MnHilfeClick, QKeySequence(Qt::Key_F1));
    item(m_menuHilfe, QStringLiteral("Produkt &Info..."), &TFMain::MnProduktInfoClick);

    rebuildMenuBar();
}

void TFMain::rebuildMenuBar() {
    if (m_closing)
        return;
    auto *window = qobject_cast<TFMDIQuill *>(m_mdiArea->currentSubWindow());
    if (!m_windows.contains(window))
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
    const QKeySequence compile = TextToShortCut(Settings::TastencodeCompiler);
    const QKeySequence run = TextToShortCut(Settings::TastencodeRun);
    for (const auto &[action, key] : std::as_const(m_designKeys))
        action->setShortcut(key == compile || key == run ? QKeySequence() : key);
}

QList<KeyInUse> TFMain::KeysInUse() const {
    QList<KeyInUse> keys = TFMDIQuill::KeysInUse();
    for (const auto &[action, key] : m_designKeys) {
        const QString text = ShortCutToText(key);
        const bool known = std::any_of(keys.cbegin(), keys.cend(),
                                       [&text](const KeyInUse &use) { return use.key == text; });
        if (!known)
            keys.append({text, action->text()});
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
    return m_windows;
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
    deleteTemporaryFiles();
    warnStoreProblemOnce(m_recent.Save(Settings::RootKey));
    m_closing = true;
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
