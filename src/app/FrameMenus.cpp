// The frame's command table: menus and tool buttons.
#include "FrameMenus.h"

#include "settings/Settings.h"
#include "TFMain.h"
#include "ToolIcons.h"

namespace {

using T = TFMain;
using R = CommandRows<TFMain>;

constexpr int picture(ToolPicture which) {
    return static_cast<int>(which);
}

const CommandRow<TFMain> kRows[] = {
    R::menu("MainDatei", "&Datei"),
    R::item("MnNeu", "&Neu...", &T::MnNeuClick, QKeyCombination(Qt::ControlModifier, Qt::Key_N)),
    R::item("MnOeffnen", "&Öffnen...", &T::MnOeffnenClick,
            QKeyCombination(Qt::ControlModifier, Qt::Key_O)),
    R::separator(),
    R::item("MnTaschenrechner", "Taschen&rechner", &T::MnTaschenrechnerClick),
    R::item("MnDOSEbene", "D&OS-Ebene", &T::MnDOSEbeneClick, {},
            "Wechseln zur DOS-Ebene (Bitte mit EXIT verlassen)"),
    R::item("MnExplorer", "&Explorer", &T::MnExplorerClick),
    R::item("MnNotepad", "&Notepad", &T::MnNotepadClick),
    R::separator(),
    R::item("MnExit", "&Beenden", &T::MnExitClick),
    // The recent-file entries follow, built by the frame.

    R::menu("MainOptionen", "&Optionen"),
    R::item("MnNetzwerklaufwerkVerbinden", "Netzwerklaufwerk verbinden",
            &T::MnNetzwerklaufwerkVerbindenClick),
    R::item("MnNetzwerklaufwerkTrennen", "Netzwerklaufwerk trennen",
            &T::MnNetzwerklaufwerkTrennenClick),
    R::separator(),
    R::item("MnDateilisteloeschen", "&Dateiliste löschen", &T::MnDateilisteloeschenClick, {},
            "Löschen der Dateiliste im Menü Datei"),
    R::separator("MnJavaDocStrich").asHidden(),
    R::item("MnJavaDoc", "Java Documentation", nullptr).asHidden(),
    R::separator(),
    R::item("MnJavaKonsole", "Java-&Konsole", &T::MnJavaKonsoleClick,
            QKeyCombination(Qt::ControlModifier, Qt::Key_J),
            "Java-Zeilen ausprobieren und eigene Klassen aufrufen"),
    R::separator(),
    R::item("MnEinstellungen", "&Einstellungen...", &T::MnEinstellungenClick),

    R::menu("MainFenster", "&Fenster"),
    R::item("MnVorherigesFenster", "&Vorheriges Fenster", &T::MnVorherigesFensterClick),
    R::item("MnNaechstesFenster", "&Nächstes  Fenster", &T::MnNaechstesFensterClick),
    R::separator(),
    R::item("MnFensterTeilen", "Fenster-&Horizontal teilen", &T::MnFensterTeilenClick,
            QKeyCombination(Qt::Key_F4)),
    R::item("MnFensterVertikalteilen", "Fenster-Vertikal &teilen", &T::MnFensterVertikalteilenClick,
            QKeyCombination(Qt::Key_F5)),
    R::item("MnFensterKaskade", "Fenster-&Kaskade", &T::MnFensterKaskadeClick,
            QKeyCombination(Qt::Key_F6)),
    R::item("MnAlleSymboleanordnen", "Alle &Symbole anordnen", &T::MnAlleSymboleanordnenClick),

    R::menu("MainHilfe", "&Hilfe"),
    R::item("MnHilfe", "&Hilfe", &T::MnHilfeClick, QKeyCombination(Qt::Key_F1)),
    R::item("MnProduktInfo", "Produkt &Info...", &T::MnProduktInfoClick),

    // The tool buttons; a separator is a gap. The captions name the buttons for screen
    // readers, the hints are their tool tips.
    R::toolBar("PanelButton"),
    R::item("BnDateiOeffnen", "Datei öffnen", &T::MnOeffnenClick, {}, "Datei Öffnen (^O)")
        .withPicture(picture(ToolPicture::Open)),
    R::item("BnNeu", "Neue Datei", &T::MnNeuClick, {}, "Neue Datei (^N)")
        .withPicture(picture(ToolPicture::New)),
    R::item("BnSaveFile", "Datei speichern", &T::BnSaveFileClick, {}, "Datei speichern (^S)")
        .withPicture(picture(ToolPicture::Save)),
    R::item("BnSaveAll", "Alle Dateien speichern", &T::BnSaveAllClick)
        .withPicture(picture(ToolPicture::SaveAll)),
    R::separator(),
    R::item("BnDrucken", "Drucken", &T::BnDruckenClick, {}, "Aktuelles Fenster drucken (^P)")
        .withPicture(picture(ToolPicture::Print)),
    R::separator(),
    R::item("BnUndo", "Rückgängig", &T::BnUndoClick, {}, "Wiederherstellen (^Z)")
        .withPicture(picture(ToolPicture::Undo)),
    R::item("BnCut", "Ausschneiden", &T::BnCutClick, {}, "Auschneiden (^X)")
        .withPicture(picture(ToolPicture::Cut)),
    R::item("BnPaste", "Einfügen", &T::BnPasteClick, {}, "Einfügen (^V)")
        .withPicture(picture(ToolPicture::Paste)),
    R::separator(),
    // No key: F6 arranges the windows as a cascade, and no key goes to the next window.
    R::item("BnPrev", "Vorheriges Fenster", &T::MnVorherigesFensterClick, {}, "Vorheriges Fenster")
        .withPicture(picture(ToolPicture::Previous)),
    R::item("BnNext", "Nächstes Fenster", &T::MnNaechstesFensterClick, {}, "Nächstes Fenster")
        .withPicture(picture(ToolPicture::Next)),
    R::separator(),
    // Their tool tips are the caption and the key of the setting.
    R::item("BnCompile", "Kompilieren", &T::BnCompileClick)
        .withKeySetting(Settings::TastencodeCompiler)
        .withPicture(picture(ToolPicture::Compile)),
    R::item("BnRun", "Starten", &T::BnRunClick)
        .withKeySetting(Settings::TastencodeRun)
        .withPicture(picture(ToolPicture::Run)),
    R::item("BnStop", "Programm beenden", &T::BnStopClick, {}, "Programm beenden (Strg+F2)")
        .enabledWhile(CommandEnabled::WhileProgramRuns)
        .withPicture(picture(ToolPicture::Run)),
    R::separator(),
    // The debugger's first five items of the active editor window.
    R::item("BnDebuggenStarten", "Debuggen starten", &T::BnDebuggenStartenClick, {},
            "Debuggen starten")
        .enabledWhile(CommandEnabled::WhileNotDebugging)
        .withPicture(picture(ToolPicture::Debug)),
    R::item("BnFortsetzen", "Fortsetzen", &T::BnFortsetzenClick, {}, "Fortsetzen")
        .enabledWhile(CommandEnabled::WhileDebugStopped)
        .withPicture(picture(ToolPicture::Continue)),
    R::item("BnUeberspringen", "Überspringen", &T::BnUeberspringenClick, {},
            "Überspringen: die Zeile in einem Schritt")
        .enabledWhile(CommandEnabled::WhileDebugStopped)
        .withPicture(picture(ToolPicture::StepOver)),
    R::item("BnHineinspringen", "Hineinspringen", &T::BnHineinspringenClick, {},
            "Hineinspringen: in die aufgerufene Methode")
        .enabledWhile(CommandEnabled::WhileDebugStopped)
        .withPicture(picture(ToolPicture::StepInto)),
    R::item("BnRuecksprung", "Rücksprung", &T::BnRuecksprungClick, {},
            "Rücksprung: bis zum Ende der Methode")
        .enabledWhile(CommandEnabled::WhileDebugStopped)
        .withPicture(picture(ToolPicture::StepOut)),
    R::separator(),
    R::item("BnJavaHelp", "Java-Hilfe", &T::BnJavaHelpClick, {},
            "zeigt ein Toolfenster mit den Java-Methoden")
        .withPicture(picture(ToolPicture::JavaHelp)),
    // Its picture is the desktop's terminal (set by the frame).
    R::item("BnJavaKonsole", "Java-Konsole", &T::MnJavaKonsoleClick, {},
            "Java-Konsole: Java-Zeilen ausprobieren (Strg+J)")
        .withPicture(picture(ToolPicture::JavaHelp)),
};

} // namespace

std::span<const CommandRow<TFMain>> FrameCommandRows() {
    return kRows;
}
