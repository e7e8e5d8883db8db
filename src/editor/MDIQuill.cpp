#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "common/ShortcutText.h"
#include "EditorHost.h"
#include "EditorMessage.h"
#include "settings/Settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMetaMethod>
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

void SetupEditorControl(TMemo *memo) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    memo->setFont(font);
    memo->setTabChangesFocus(false);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace

TFMDIQuill::TFMDIQuill(EditorHost &host, QWidget *parent) : QMdiSubWindow(parent), m_host(host) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Java-Umgebung"));
    resize(707, 460);
    m_format = TextFile::DefaultFormat();

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_memoColor = new TColorMemo;
    m_memoColor->setObjectName(QStringLiteral("MemoColor"));
    m_memoSW = new TMemo;
    m_memoSW->setObjectName(QStringLiteral("MemoSW"));
    SetupEditorControl(m_memoColor);
    SetupEditorControl(m_memoSW);
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

    m_timerUndo = new QTimer(this);
    m_timerUndo->setObjectName(QStringLiteral("TimerUndo"));
    m_timerUndo->setInterval(2000);

    CreateMenus();
    FormCreate();
    ConnectMenuHandlers();

    // The window sees every key before the focused text control does.
    m_memoColor->installEventFilter(this);
    m_memoSW->installEventFilter(this);

    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if (!(oldState & Qt::WindowActive) && (newState & Qt::WindowActive))
                    FormActivate();
            });
}

TFMDIQuill::~TFMDIQuill() = default;

void TFMDIQuill::FormCreate() {
    ApplyRuleColors();
    SetActiveMemo(m_memoColor);
    ApplyBuildShortcuts();
    for (const char *name : {"MainVersionen", "MnInsertKlasse", "MnSetMainJava", "MnRun_leer2",
                             "MnBuildAllerDateien", "MnRun_leer3"})
        MenuItem(QLatin1String(name))->setVisible(false);
    m_saveFilter = {{QStringLiteral("Java-Dateien (*.Java)"), QStringLiteral("*.Java")},
                    {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")}};
    const std::pair<const char *, const char *> captions[] = {
        {"MnInsertSyso", "Syso\tStrg+Shift+S"},
        {"MnInsertKlasse", "Klasse\tStrg+Shift+C"},
        {"MnInsertAttribSetGet", "Attribut mit set/get\tStrg+Shift+A"},
        {"MnIfBedingungMitElse", "If Bedingung mit else\tStrg+Shift+I"},
        {"MnWhileSchleife", "While - Schleife\tStrg+Shift+W"},
        {"MnDoWhile", "Do While\tStrg+Shift+D"},
        {"MnInsertGridBagLayout", "GridBagLayout\tStrg+Shift+G"}};
    for (const auto &[name, caption] : captions)
        MenuItem(QLatin1String(name))->setText(QString::fromUtf8(caption));
}

QMenu *TFMDIQuill::AddMenu(const QString &name, const QString &title, const QString &hint) {
    auto *menu = new QMenu(title, this);
    menu->setObjectName(name);
    menu->setToolTipsVisible(true);
    menu->menuAction()->setObjectName(name);
    if (!hint.isEmpty())
        menu->menuAction()->setStatusTip(hint);
    m_menus << menu;
    return menu;
}

QAction *TFMDIQuill::AddItem(QMenu *menu, const QString &name, const QString &caption,
                             const QKeySequence &key, const QString &hint) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    return action;
}

void TFMDIQuill::AddSeparator(QMenu *menu, const QString &name) {
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
}

void TFMDIQuill::CreateMenus() {
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    const auto S = [](const char *text) { return QString::fromUtf8(text); };

    QMenu *datei = AddMenu(S("MainDatei"), S("&Datei"), S("Menü Datei"));
    AddItem(datei, S("MnNeu"), S("&Neu..."), ctrl(Qt::Key_N), S("Neue Datei erzeugen"));
    AddItem(datei, S("MnOeffnen"), S("&Öffnen..."), ctrl(Qt::Key_O), S("Alte Datei öffnen"));
    AddItem(datei, S("MnUpdate"), S("U&pdate"));
    AddSeparator(datei);
    AddItem(datei, S("MnSpeichern"), S("&Speichern..."), ctrl(Qt::Key_S));
    AddItem(datei, S("MnSpeichernUnter"), S("Speichern &unter..."));
    AddItem(datei, S("MnSpeichernAlle"), S("Speichern &alle"));
    AddItem(datei, S("MnAlleSchliessen"), S("A&lle Schließen"));
    AddSeparator(datei);
    AddItem(datei, S("MnTaschenrechner"), S("Taschen&rechner"));
    AddItem(datei, S("MnExplorer"), S("&Explorer"));
    AddItem(datei, S("MnDOSEbene"), S("D&OS-Ebene"), {},
            S("Wechseln zur DOS-Ebene (Bitte mit EXIT verlassen)"));
    AddItem(datei, S("MnNotepad"), S("&Notepad"));
    AddSeparator(datei);
    AddItem(datei, S("MnDrucken"), S("&Drucken..."), ctrl(Qt::Key_P));
    AddItem(datei, S("MnDruckerSetup"), S("Drucker-Setup"), {},
            S("Aufruf des Druckersetup (Drucker wechseln, Hoch/Querformat)"));
    AddSeparator(datei);
    AddItem(datei, S("MnExit"), S("&Beenden"), {}, S("Das Programm beenden"));
    m_recentSeparator = datei->addSeparator();
    m_recentSeparator->setObjectName(S("MnStrichAlteDateien"));
    m_recentSeparator->setVisible(false);
    for (int i = 1; i <= 9; ++i) {
        QAction *item = AddItem(datei, S("MnAlteDatei") + QString::number(i), QString(), {},
                                i <= 4 ? S("Zeigt eine Liste der zuletzt geschlossenen Dateien an")
                                       : QString());
        item->setVisible(false);
        m_recentItems << item;
    }

    QMenu *bearbeiten = AddMenu(S("MainBearbeiten"), S("&Bearbeiten"));
    AddItem(bearbeiten, S("MnRueckgaengig"), S("&Rückgängig"), ctrl(Qt::Key_Z));
    AddItem(bearbeiten, S("MnWiderrufen"), S("Widerrufen"),
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnBlockAusschneiden"), S("&Ausschneiden"), ctrl(Qt::Key_X));
    AddItem(bearbeiten, S("MnBlockKopieren"), S("&Kopieren"), ctrl(Qt::Key_C));
    AddItem(bearbeiten, S("MnBlockEinfuegen"), S("&Einfügen"), ctrl(Qt::Key_V));
    AddItem(bearbeiten, S("MnBlockLoeschen"), S("&Löschen"));
    AddItem(bearbeiten, S("MnBlockalsDateiSichern"), S("&Block als Datei &sichern"));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnAktuelleZeileloeschen"), S("Aktuelle &Zeile löschen"),
            ctrl(Qt::Key_Y));
    AddItem(bearbeiten, S("MnZeilebisEndeLoeschen"), S("Zeile bi&s Ende löschen"), ctrl(Qt::Key_K));
    AddItem(bearbeiten, S("MnBlocknachlinks"), S("Block nach links"), ctrl(Qt::Key_L));
    AddItem(bearbeiten, S("MnBlocknachrechts"), S("Block nach rechts"), ctrl(Qt::Key_R));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnGehezu"), S("&Gehe zu..."), ctrl(Qt::Key_G));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnKonverttextvonDOSnachWindows"),
            S("Konverttext von DOS nach &Windows"));
    AddItem(bearbeiten, S("MnKonverttextvonWindowsnachDOS"),
            S("Konverttext von Windows nach &DOS"));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnAllesmarkieren"), S("Alles &markieren"), ctrl(Qt::Key_A));

    QMenu *suchen = AddMenu(S("MainSuchen"), S("&Suchen"));
    AddItem(suchen, S("MnSuchen"), S("&Suchen"), ctrl(Qt::Key_F), S("Suchen eines Teiltextes"));
    AddItem(suchen, S("MnWeitersuchen"), S("&Weitersuchen"), QKeySequence(Qt::Key_F3),
            S("Nochmalige Suche eines Teiltextes"));
    AddItem(suchen, S("MnSuchenErsetzen"), S("Suchen && &Ersetzen"), ctrl(Qt::Key_E),
            S("Suchen eines Teiltextes und Ersetzen durch einen zweiten"));
    AddSeparator(suchen);
    AddItem(suchen, S("MnIncrementielleSuche"), S("Incrementielle Suche"), ctrl(Qt::Key_I));

    QMenu *einfuegen = AddMenu(S("MainEinfuegen"), S("&Einfügen"));
    AddItem(einfuegen, S("MnInsertSyso"), S("Syso"));
    AddItem(einfuegen, S("MnInsertsetDefaultCloseOperation"), S("setDefaultCloseOperation"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertKlasse"), S("Klasse"));
    AddItem(einfuegen, S("MnInsertAttribSetGet"), S("Attribut mit set/get"));
    AddItem(einfuegen, S("MnIfBedingungMitElse"), S("If Bedingung mit else"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnWhileSchleife"), S("While - Schleife"));
    AddItem(einfuegen, S("MnDoWhile"), S("Do While"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertGridBagLayout"), S("GridBagLayout"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertActionListenermiteinemSchalter"),
            S("ActionListener mit einem Schalter"));
    AddItem(einfuegen, S("MnInsertFrameListerner"),
            S("JFrame Listener (onActive, On Closing etc.)"));
    AddItem(einfuegen, S("MnInsertMouseListener"), S("Mouse-Listener"));
    AddItem(einfuegen, S("MnInsertFoucsListener"), S("Foucs-Listener"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertFile"), S("&Einfügen Datei"));

    QMenu *ansicht = AddMenu(S("MainAnsicht"), S("&Ansicht"));
    AddItem(ansicht, S("MnSetMemoColor"), S("Farbiger Editor"));
    AddItem(ansicht, S("MnSerMemoSW"), S("Schwarz-Weiß-Editor"));

    AddMenu(S("MainVersionen"), S("&Versionen"));

    QMenu *compiler = AddMenu(S("MainCompiler"), S("&Compiler / Run"));
    AddItem(compiler, S("MnCompiler"), S("&Compiler"));
    AddItem(compiler, S("MnRun"), S("&Run"));
    AddSeparator(compiler);
    AddItem(compiler, S("MnSetMainJava"), S("Setze Main-Java"));
    AddSeparator(compiler, S("MnRun_leer2"));
    AddItem(compiler, S("MnBuildAllerDateien"), S("Build aller Dateien"));
    AddSeparator(compiler, S("MnRun_leer3"));
    AddItem(compiler, S("MnProgrammEinstellungen"), S("&Einstellungen"));
}

void TFMDIQuill::ConnectMenuHandlers() {
    const QMetaMethod triggered = QMetaMethod::fromSignal(&QAction::triggered);
    const QMetaObject *meta = metaObject();
    for (QMenu *menu : std::as_const(m_menus)) {
        for (QAction *action : menu->actions()) {
            if (action->objectName().isEmpty())
                continue;
            const QByteArray slot = action->objectName().toLatin1() + "Click()";
            const int index = meta->indexOfSlot(slot.constData());
            if (index >= 0)
                connect(action, triggered, this, meta->method(index));
        }
    }
}

QAction *TFMDIQuill::MenuItem(const QString &name) const {
    for (QMenu *menu : m_menus) {
        if (menu->objectName() == name)
            return menu->menuAction();
        for (QAction *action : menu->actions())
            if (action->objectName() == name)
                return action;
    }
    return nullptr;
}

void TFMDIQuill::SetActiveMemo(TMemo *memo) {
    if (memo != m_memoColor && memo != m_memoSW)
        return;
    m_activeMemo = memo;
    m_notebook->setCurrentIndex(memo == m_memoColor ? 0 : 1);
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
    // The colouring control gets its rule list with the colour engine; until then there are no
    // rules to colour.
}

void TFMDIQuill::ApplyBuildShortcuts() {
    MenuItem(QStringLiteral("MnCompiler"))
        ->setShortcut(TextToShortCut(Settings::TastencodeCompiler));
    MenuItem(QStringLiteral("MnRun"))->setShortcut(TextToShortCut(Settings::TastencodeRun));
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

// --- Commands whose full behaviour comes with printing, undo and the build ---

void TFMDIQuill::MnDruckenClick() {}
void TFMDIQuill::MnCompilerClick() {}
void TFMDIQuill::MnRunClick() {}
void TFMDIQuill::MnRueckgaengigClick() {
    m_activeMemo->undo();
}

void TFMDIQuill::MnBlockAusschneidenClick() {
    m_activeMemo->cut();
    m_activeMemo->SetModified(true);
}

void TFMDIQuill::MnBlockKopierenClick() {
    m_activeMemo->copy();
}

void TFMDIQuill::MnBlockEinfuegenClick() {
    m_activeMemo->paste();
    m_activeMemo->SetModified(true);
}

// --- Closing, keys and messages ---

bool TFMDIQuill::FormCloseQuery() {
    if (!Modified())
        return true;
    const bool unnamed = m_fileName == QLatin1String("noname");
    const QString text = unnamed
                             ? QStringLiteral("Möchten Sie die Änderungen speichern?")
                             : QStringLiteral("Änderungen nach '%1' speichern?").arg(m_fileName);
    const MsgButton answer = ui().messageBox(MsgIcon::Question, QStringLiteral("Bestätigen"), text,
                                             {MsgButton::Yes, MsgButton::No, MsgButton::Cancel});
    if (answer == MsgButton::Cancel)
        return false;
    if (answer == MsgButton::Yes) {
        // A cancelled save-as dialog lets the close go ahead; a failed write does not, since
        // closing would throw the unsaved text away.
        const SaveResult result = unnamed ? SaveAs() : Save();
        return result != SaveResult::Failed;
    }
    return true;
}

void TFMDIQuill::closeEvent(QCloseEvent *event) {
    if (!m_closed) {
        if (!FormCloseQuery()) {
            event->ignore();
            return;
        }
        m_closed = true;
        m_host.ForgetEditorWindow(this);
    }
    QMdiSubWindow::closeEvent(event);
}

QString TFMDIQuill::SnippetCommandForKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (held != (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    switch (key) {
    case Qt::Key_A:
        return QStringLiteral("MnInsertAttribSetGetClick");
    case Qt::Key_C:
        return QStringLiteral("MnInsertKlasseClick");
    case Qt::Key_D:
        return QStringLiteral("MnDoWhileClick");
    case Qt::Key_G:
        return QStringLiteral("MnInsertGridBagLayoutClick");
    case Qt::Key_I:
        return QStringLiteral("MnIfBedingungMitElseClick");
    case Qt::Key_S:
        return QStringLiteral("MnInsertSysoClick");
    case Qt::Key_W:
        return QStringLiteral("MnWhileSchleifeClick");
    default:
        return {};
    }
}

void TFMDIQuill::FormKeyDown(QKeyEvent *event) {
    const QString command = SnippetCommandForKey(event->key(), event->modifiers());
    if (command.isEmpty())
        return;
    const QByteArray signature = command.toLatin1() + "()";
    if (metaObject()->indexOfSlot(signature.constData()) >= 0)
        QMetaObject::invokeMethod(this, command.toLatin1().constData());
}

bool TFMDIQuill::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && (watched == m_memoColor || watched == m_memoSW)) {
        auto *key = static_cast<QKeyEvent *>(event);
        FormKeyDown(key);
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

void TFMDIQuill::HandleMessage(int message) {
    switch (message) {
    case 1038:
    case 1051:
    case 1064:
        MnSpeichernClick();
        break;
    case 1039:
        MnDruckenClick();
        break;
    case 1040:
    case 1045:
    case 1056:
        close();
        break;
    case 1052:
        MnSpeichernUnterClick();
        break;
    case 1079:
        MnRueckgaengigClick();
        break;
    case 1086:
        MnBlockAusschneidenClick();
        break;
    case 1087:
        MnBlockKopierenClick();
        break;
    case 1088:
        MnBlockEinfuegenClick();
        break;
    case 1114:
        MnCompilerClick();
        break;
    case 1115:
        MnRunClick();
        break;
    default:
        break;
    }
}

bool TFMDIQuill::event(QEvent *event) {
    if (event->type() == EditorMessageEvent::EventType()) {
        HandleMessage(static_cast<EditorMessageEvent *>(event)->message());
        QMdiSubWindow::event(event);
        return true;
    }
    return QMdiSubWindow::event(event);
}
