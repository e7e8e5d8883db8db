#pragma once

#include "common/UiProvider.h"
#include "settings/Settings.h"
#include "ShortkeyModel.h"

#include <QString>

#include <array>

// The tabs of the settings dialog, in their order.
enum class EinstTab {
    Allgemein,
    Schriften,
    CompilerRun,
    Tastencode,
    Experte,
    UndoRedo,
    Editorfarben
};

// Which font the sample and "&Ändern" act on: "Editorschrift" or "ErrorSchrift".
enum class FontGroup { Editor, Error };

// What the controls of the settings dialogs hold while they are open.
struct EinstValues {
    // "Allgemein"
    bool mainFensterMaximal = false;      // CMainFensterMaximal
    bool immerSicherheitsabfrage = false; // CImmerSicherheitsabfrage
    bool sucheAmAktuellenCursor = false;  // CSucheAmAktuellenCursor
    bool fensterMaximal = false;          // CFensterMaximal
    int tabBreite = 0;                    // ETabBreite (hidden)
    bool inEditMitTabs = false;           // CInEditMitTabs
    bool automatischEinruecken = true;    // CAutomatischEinruecken
    bool bakDatei = false;                // CBakDatei
    // "Compiler / Run" (and TFEinstProg)
    QString compiler;            // ECompiler
    QString compilerParameter;   // ECompilerParameter
    QString run;                 // ERun
    QString runParameter;        // ERunParameter
    bool fehlerMarkieren = true; // CFehlerBeimSchreibenMarkieren
    // "Tastencode"
    QString keyCompiler; // EKeyCompiler
    QString keyRun;      // EKeyRun
    // "Experte": true = RValue, false = RThisX
    bool rValue = true;
    // "Undo / Redo": true = RUndoMitTasten, false = RUndoMitTimer
    bool undoMitTasten = true;
    int undoIntervall = UndoIntervallDesign; // spUndoIntervall
    bool undoIntervallEnabled = false;
    // "Editorfarben": the working colours shown by ColorPanel0 to ColorPanel3
    std::array<quint32, 4> colors{};

    static constexpr int UndoIntervallDesign = 2;
    static constexpr int UndoIntervallMin = Settings::UndoTimerIntervallMin;
    static constexpr int UndoIntervallMax = Settings::UndoTimerIntervallMax;
};

// The logic of the settings dialogs TFEinst and TFEinstProg without their widgets: the
// dialog fills its controls from `values` after Init, writes them back before closing, and
// calls the handlers of the same names. Font, colour and file dialogs and notices go
// through ui().
class EinstModel {
public:
    // TFEinst: cancelled flag set, tab "Allgemein", help index 0, every control from the
    // settings in their fixed order, the sample on the editor font.
    void Init();
    // TFEinstProg: cancelled flag set, help index 0, the four compiler/runtime fields.
    void InitProg();

    EinstValues values;

    bool cancelled() const { return m_cancelled; }
    EinstTab tab() const { return m_tab; }
    int helpIndex() const { return m_helpIndex; }
    // The help context of "&Hilfe" and the tab control: 10500 + 100 x help index.
    int helpContext() const { return HelpContextBase + 100 * m_helpIndex; }

    // MainTabChange: "Allgemein", "Schriften" and "Compiler / Run" set the help index to
    // 0, 1 and 2; any other tab keeps it.
    void MainTabChange(EinstTab tab);

    FontGroup fontGroup() const { return m_fontGroup; }
    // RTabellenschriftClick / RDruckerSchriftClick.
    void selectFontGroup(FontGroup group) { m_fontGroup = group; }
    // The font of the selected group, as the sample shows it (name, size, bold, colour).
    FontChoice sampleFont() const;
    // "&Ändern": the font dialog preset with the selected group's font; a confirmed choice
    // changes that group's settings at once (bold only for a plain bold style). True then.
    bool BnAendernSchriftClick();
    // "Farbe ...": the colour dialog preset with the selected group's font colour (the font
    // dialog has none); a confirmed colour changes that group's colour setting at once, as
    // "&Ändern" does with the font. True then.
    bool BnSchriftFarbeClick();
    // "&1" to "&4": the colour dialog preset with working colour i; true when confirmed.
    bool BnPanelFarbeClick(int index);
    // "&Open" next to "Compiler" / "Run": the program search dialog; true when confirmed.
    bool BnCompilerSearchClick();
    bool BnLinkerSearchClick();
    // After the shortcut dialog of "Compiler starten" / "Programm starten" closed: its
    // result replaces the field unless it is empty. A key the other field has (the user has
    // agreed to take it) leaves that field empty, so one key starts one command.
    void takeShortkey(bool compiler);
    // The keys the program's commands have (the frame's and the editor window's menus);
    // given by the caller before Init.
    void setKeysInUse(const QList<KeyInUse> &keys) { m_keysInUse = keys; }
    // What the shortcut dialog of "Compiler starten" (compiler true) or "Programm starten"
    // marks as taken: the other of the two fields first, then the commands' keys.
    QList<KeyInUse> keysInUseFor(bool compiler) const;

    // "&Ok": clears the cancelled flag, sets the dialog-result text to "Okay" and tells the
    // user about a compiler or runtime path that cannot be started (it is stored anyway).
    void BnOkayClick();
    // "Abbruch", Esc and the close box: the cancelled flag stays set.
    void BnAbbruchClick() { m_cancelled = true; }
    // Closing is always allowed. Cancelled, it empties the dialog-result text (which a
    // confirmed shortcut dialog may have filled) and takes nothing over. Otherwise the
    // controls go into the settings in their fixed order and SaveSettings writes them; a
    // store that cannot be written is reported once per run.
    void FormCloseQuery();

    // The program search dialog of both "&Open" buttons.
    static FileDialogRequest programSearchRequest();
    // The notice for compiler and runtime paths that cannot be started; empty when both
    // are empty or executable files.
    static QString pathNotice(const QString &compiler, const QString &run);

    static constexpr int HelpContextBase = 10500;

private:
    bool searchProgram(QString &field);
    // The four compiler and runtime fields from the settings.
    void takeProgramSettings();
    // ... and back.
    void giveProgramSettings() const;

    QList<KeyInUse> m_keysInUse;
    bool m_progOnly = false;
    bool m_cancelled = true;
    EinstTab m_tab = EinstTab::Allgemein;
    int m_helpIndex = 0;
    FontGroup m_fontGroup = FontGroup::Editor;
};
