// The window's command table: every menu and item with its caption, key and hint, named
// after its component, and what each item runs.
#include "EditorMenus.h"
#include "MDIQuill.h"

#include "common/CommandMenus.h"
#include "settings/Settings.h"

#include <QAction>
#include <QMenu>

namespace {

using T = TFMDIQuill;
using R = CommandRows<TFMDIQuill>;

constexpr QKeyCombination ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}
constexpr QKeyCombination ctrlShift(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key);
}

const CommandRow<TFMDIQuill> kRows[] = {
    R::menu("MainDatei", "&Datei", "Menü Datei"),
    R::item("MnNeu", "&Neu...", &T::MnNeuClick, ctrl(Qt::Key_N), "Neue Datei erzeugen"),
    R::item("MnOeffnen", "&Öffnen...", &T::MnOeffnenClick, ctrl(Qt::Key_O), "Alte Datei öffnen"),
    R::item("MnUpdate", "U&pdate", &T::MnUpdateClick),
    R::separator(),
    R::item("MnSpeichern", "&Speichern...", &T::MnSpeichernClick, ctrl(Qt::Key_S)),
    R::item("MnSpeichernUnter", "Speichern &unter...", &T::MnSpeichernUnterClick),
    R::item("MnSpeichernAlle", "Speichern &alle", &T::MnSpeichernAlleClick),
    R::item("MnAlleSchliessen", "A&lle Schließen", &T::MnAlleSchliessenClick),
    R::separator(),
    R::item("MnTaschenrechner", "Taschen&rechner", &T::MnTaschenrechnerClick),
    R::item("MnExplorer", "&Explorer", &T::MnExplorerClick),
    R::item("MnDOSEbene", "D&OS-Ebene", &T::MnDOSEbeneClick, {},
            "Wechseln zur DOS-Ebene (Bitte mit EXIT verlassen)"),
    R::item("MnNotepad", "&Notepad", &T::MnNotepadClick),
    R::separator(),
    R::item("MnDrucken", "&Drucken...", &T::MnDruckenClick, ctrl(Qt::Key_P)),
    R::item("MnDruckerSetup", "Drucker-Setup", &T::MnDruckerSetupClick, {},
            "Aufruf des Druckersetup (Drucker wechseln, Hoch/Querformat)"),
    R::separator(),
    R::item("MnExit", "&Beenden", &T::MnExitClick, {}, "Das Programm beenden"),
    // The recent-file items follow, built by the window.

    R::menu("MainBearbeiten", "&Bearbeiten"),
    R::item("MnRueckgaengig", "&Rückgängig", &T::MnRueckgaengigClick, ctrl(Qt::Key_Z)),
    R::item("MnWiderrufen", "Widerrufen", &T::MnWiderrufenClick,
            QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_Z)),
    R::separator(),
    R::item("MnBlockAusschneiden", "&Ausschneiden", &T::MnBlockAusschneidenClick, ctrl(Qt::Key_X)),
    R::item("MnBlockKopieren", "&Kopieren", &T::MnBlockKopierenClick, ctrl(Qt::Key_C)),
    R::item("MnBlockEinfuegen", "&Einfügen", &T::MnBlockEinfuegenClick, ctrl(Qt::Key_V)),
    R::item("MnBlockLoeschen", "&Löschen", &T::MnBlockLoeschenClick),
    R::item("MnBlockalsDateiSichern", "&Block als Datei &sichern", &T::MnBlockalsDateiSichernClick),
    R::separator(),
    R::item("MnAktuelleZeileloeschen", "Aktuelle &Zeile löschen", &T::MnAktuelleZeileloeschenClick,
            ctrl(Qt::Key_Y)),
    R::item("MnZeilebisEndeLoeschen", "Zeile bi&s Ende löschen", &T::MnZeilebisEndeLoeschenClick,
            ctrl(Qt::Key_K)),
    R::item("MnBlocknachlinks", "Block nach links", &T::MnBlocknachlinksClick, ctrl(Qt::Key_L)),
    R::item("MnBlocknachrechts", "Block nach rechts", &T::MnBlocknachrechtsClick, ctrl(Qt::Key_R)),
    R::item("MnZeilenKommentieren", "Zeilen aus-/ein&kommentieren", &T::MnZeilenKommentierenClick,
            ctrl(Qt::Key_NumberSign), "Setzt // vor die markierten Zeilen oder nimmt es weg"),
    R::separator(),
    R::item("MnGehezu", "&Gehe zu...", &T::MnGehezuClick, ctrl(Qt::Key_G)),
    R::separator(),
    R::item("MnKonverttextvonDOSnachWindows", "Konverttext von DOS nach &Windows",
            &T::MnKonverttextvonDOSnachWindowsClick),
    R::item("MnKonverttextvonWindowsnachDOS", "Konverttext von Windows nach &DOS",
            &T::MnKonverttextvonWindowsnachDOSClick),
    R::separator(),
    R::item("MnAllesmarkieren", "Alles &markieren", &T::MnAllesmarkierenClick, ctrl(Qt::Key_A)),
    R::separator(),
    R::item("MnWortVervollstaendigen", "Wort &vervollständigen", &T::MnWortVervollstaendigenClick,
            ctrl(Qt::Key_Space), "Vorschläge für das Wort vor der Schreibmarke"),

    R::menu("MainSuchen", "&Suchen"),
    R::item("MnSuchen", "&Suchen", &T::MnSuchenClick, ctrl(Qt::Key_F), "Suchen eines Teiltextes"),
    R::item("MnWeitersuchen", "&Weitersuchen", &T::MnWeitersuchenClick, QKeyCombination(Qt::Key_F3),
            "Nochmalige Suche eines Teiltextes"),
    R::item("MnSuchenErsetzen", "Suchen && &Ersetzen", &T::MnSuchenErsetzenClick, ctrl(Qt::Key_E),
            "Suchen eines Teiltextes und Ersetzen durch einen zweiten"),
    R::separator(),
    R::item("MnIncrementielleSuche", "Incrementielle Suche", &T::MnIncrementielleSucheClick,
            ctrl(Qt::Key_I)),
    R::separator(),
    R::item("MnZurPassendenKlammer", "Zur passenden &Klammer", &T::MnZurPassendenKlammerClick,
            ctrl(Qt::Key_M), "Springt zur Klammer, die zur Klammer am Cursor gehört"),

    // The snippets' keys are read by the window itself; the captions show them.
    R::menu("MainEinfuegen", "&Einfügen"),
    R::item("MnInsertSyso", "Syso\tStrg+Shift+S", &T::MnInsertSysoClick)
        .withWindowKey(ctrlShift(Qt::Key_S)),
    R::item("MnInsertsetDefaultCloseOperation", "setDefaultCloseOperation",
            &T::MnInsertsetDefaultCloseOperationClick),
    R::separator(),
    R::item("MnInsertKlasse", "Klasse\tStrg+Shift+C", &T::MnInsertKlasseClick)
        .withWindowKey(ctrlShift(Qt::Key_C))
        .asHidden(),
    R::item("MnInsertAttribSetGet", "Attribut mit set/get\tStrg+Shift+A",
            &T::MnInsertAttribSetGetClick)
        .withWindowKey(ctrlShift(Qt::Key_A)),
    R::item("MnIfBedingungMitElse", "If Bedingung mit else\tStrg+Shift+I",
            &T::MnIfBedingungMitElseClick)
        .withWindowKey(ctrlShift(Qt::Key_I)),
    R::separator(),
    R::item("MnWhileSchleife", "While - Schleife\tStrg+Shift+W", &T::MnWhileSchleifeClick)
        .withWindowKey(ctrlShift(Qt::Key_W)),
    R::item("MnDoWhile", "Do While\tStrg+Shift+D", &T::MnDoWhileClick)
        .withWindowKey(ctrlShift(Qt::Key_D)),
    R::separator(),
    R::item("MnInsertGridBagLayout", "GridBagLayout\tStrg+Shift+G", &T::MnInsertGridBagLayoutClick)
        .withWindowKey(ctrlShift(Qt::Key_G)),
    R::separator(),
    R::item("MnInsertActionListenermiteinemSchalter", "ActionListener mit einem Schalter",
            &T::MnInsertActionListenermiteinemSchalterClick),
    R::item("MnInsertFrameListerner", "JFrame Listener (onActive, On Closing etc.)",
            &T::MnInsertFrameListernerClick),
    R::item("MnInsertMouseListener", "Mouse-Listener", &T::MnInsertMouseListenerClick),
    R::item("MnInsertFoucsListener", "Foucs-Listener", &T::MnInsertFoucsListenerClick),
    R::separator(),
    R::item("MnInsertFile", "&Einfügen Datei", &T::MnInsertFileClick),

    R::menu("MainAnsicht", "&Ansicht"),
    R::item("MnSetMemoColor", "Farbiger Editor", &T::MnSetMemoColorClick),
    R::item("MnSerMemoSW", "Schwarz-Weiß-Editor", &T::MnSerMemoSWClick),

    R::menu("MainVersionen", "&Versionen").asHidden(),

    R::menu("MainCompiler", "&Compiler / Run"),
    R::item("MnCompiler", "&Compiler", &T::MnCompilerClick)
        .withKeySetting(Settings::TastencodeCompiler),
    R::item("MnRun", "&Run", &T::MnRunClick).withKeySetting(Settings::TastencodeRun),
    R::item("MnProgrammBeenden", "Programm beenden", &T::MnProgrammBeendenClick, ctrl(Qt::Key_F2),
            "Beendet das mit Run gestartete Programm")
        .enabledWhile(CommandEnabled::WhileProgramRuns),
    R::separator(),
    R::item("MnSetMainJava", "Setze Main-Java", &T::MnSetMainJavaClick).asHidden(),
    R::separator("MnRun_leer2").asHidden(),
    R::item("MnBuildAllerDateien", "Build aller Dateien", &T::MnBuildAllerDateienClick).asHidden(),
    R::separator("MnRun_leer3").asHidden(),
    R::item("MnProgrammEinstellungen", "&Einstellungen", &T::MnProgrammEinstellungenClick),

    // F5 tiles the frame's windows, so continuing takes Ctrl+F5. A compile or run key chosen
    // in the settings takes any of these keys away from its item.
    R::menu("MainDebuggen", "&Debuggen"),
    R::item("MnDebuggenStarten", "Debuggen &starten", &T::MnDebuggenStartenClick,
            QKeyCombination(Qt::ShiftModifier, Qt::Key_F9),
            "Übersetzt das Programm und startet es im Debugger")
        .enabledWhile(CommandEnabled::WhileNotDebugging),
    R::item("MnFortsetzen", "&Fortsetzen", &T::MnFortsetzenClick, ctrl(Qt::Key_F5),
            "Lässt das Programm bis zum nächsten Haltepunkt weiterlaufen")
        .enabledWhile(CommandEnabled::WhileDebugStopped),
    R::item("MnUeberspringen", "&Überspringen", &T::MnUeberspringenClick,
            QKeyCombination(Qt::Key_F10), "Führt die Zeile aus, Methodenaufrufe in einem Schritt")
        .enabledWhile(CommandEnabled::WhileDebugStopped),
    R::item("MnHineinspringen", "&Hineinspringen", &T::MnHineinspringenClick,
            QKeyCombination(Qt::Key_F11), "Führt die Zeile aus und geht in aufgerufene Methoden")
        .enabledWhile(CommandEnabled::WhileDebugStopped),
    R::item("MnRuecksprung", "&Rücksprung", &T::MnRuecksprungClick,
            QKeyCombination(Qt::ShiftModifier, Qt::Key_F11),
            "Läuft bis zur Rückkehr aus der aktuellen Methode")
        .enabledWhile(CommandEnabled::WhileDebugStopped),
    R::separator(),
    R::item("MnHaltepunkt", "&Haltepunkt ein/aus", &T::MnHaltepunktClick, ctrl(Qt::Key_B),
            "Setzt oder entfernt einen Haltepunkt in der Zeile der Schreibmarke"),
};

// The numbered window messages: a second way into the rows above. 1040, 1045 and 1056
// close the window instead.
struct MessageRow {
    int message;
    const char *row;
};
const MessageRow kMessages[] = {
    {1038, "MnSpeichern"},
    {1051, "MnSpeichern"},
    {1064, "MnSpeichern"},
    {1039, "MnDrucken"},
    {1052, "MnSpeichernUnter"},
    {1079, "MnRueckgaengig"},
    {1086, "MnBlockAusschneiden"},
    {1087, "MnBlockKopieren"},
    {1088, "MnBlockEinfuegen"},
    {1114, "MnCompiler"},
    {1115, "MnRun"},
};

} // namespace

std::span<const CommandRow<TFMDIQuill>> EditorMenus::Rows() {
    return kRows;
}

QList<KeyInUse> EditorMenus::MenuKeys() {
    QList<KeyInUse> keys;
    for (const auto &[key, caption] : DesignKeys(Rows()))
        keys.append({key, caption});
    return keys;
}

const CommandRow<TFMDIQuill> *EditorMenus::RowForWindowKey(int key,
                                                           Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeyCombination pressed(held, Qt::Key(key));
    for (const CommandRow<TFMDIQuill> &row : kRows)
        if (row.hasWindowKey() && row.windowKey == pressed)
            return &row;
    return nullptr;
}

void TFMDIQuill::CreateCommands() {
    m_commandMenus = BuildCommandMenus(this, this, EditorMenus::Rows(), true);
    m_menus = m_commandMenus.menus;
    // The recent-file items end the "&Datei" menu; the frame fills and connects them.
    QMenu *datei = m_menus.first();
    m_recentSeparator = datei->addSeparator();
    m_recentSeparator->setObjectName(QStringLiteral("MnStrichAlteDateien"));
    m_recentSeparator->setVisible(false);
    for (int i = 1; i <= 9; ++i) {
        QAction *item = datei->addAction(QString());
        item->setObjectName(QStringLiteral("MnAlteDatei") + QString::number(i));
        if (i <= 4) {
            const QString hint =
                QStringLiteral("Zeigt eine Liste der zuletzt geschlossenen Dateien an");
            item->setToolTip(hint);
            item->setStatusTip(hint);
        }
        item->setVisible(false);
        m_recentItems << item;
    }
}

const CommandRow<TFMDIQuill> *EditorMenus::RowForMessage(int message) {
    for (const MessageRow &entry : kMessages)
        if (entry.message == message)
            return FindCommandRow(Rows(), QLatin1String(entry.row));
    return nullptr;
}

bool EditorMenus::IsCloseMessage(int message) {
    return message == 1040 || message == 1045 || message == 1056;
}

void TFMDIQuill::RunMessage(int message) {
    if (EditorMenus::IsCloseMessage(message))
        close();
    else if (const CommandRow<TFMDIQuill> *row = EditorMenus::RowForMessage(message))
        (this->*row->command)();
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
