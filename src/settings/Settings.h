#pragma once

#include "common/RegistryStore.h"
#include "common/StoreProblem.h"
#include "common/StoreWarning.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// Every user setting is one process-wide variable, named after its value in the store.
// LoadSettings fills them once at start; SaveSettings writes them all back.
namespace Settings {

inline const QString RootKey = QStringLiteral("\\SOFTWARE\\QUENDAL\\QUILL");

extern bool InEditMitTabs;
// Editor\AutomatischEinruecken: Enter keeps the indentation, `}` takes a step off.
extern bool AutomatischEinruecken;
// Programme\FehlerBeimSchreibenMarkieren: the compiler checks the text after every pause in
// typing and its messages are marked in the text.
extern bool FehlerBeimSchreibenMarkieren;
extern qint16 ErrorSchriftGroesse;
extern quint32 ErrorSchriftFarbe; // colours are 0x00BBGGRR
extern QString ErrorSchriftName;
extern bool ErrorSchriftBold;
extern qint16 EditorSchriftGroesse;
extern quint32 EditorSchriftFarbe;
extern QString EditorSchriftName;
extern bool EditorSchriftBold;
extern QString EditorPfad;
extern QString COMSPEC;
extern bool COMSPECINDI;
extern int TabBreite;
extern bool AutoSave;
extern bool SucheAmAktuellenCursor;
extern QString Compiler; // Programme\Compiler: full path of the Java compiler
extern QString CompilerParameter;
extern QString Run; // Programme\Run: full path of the Java runtime
extern QString RunParameter;
extern QString TastencodeCompiler; // Tastencode\Compiler: shortcut text, "F8"
extern QString TastencodeRun;      // Tastencode\Run: shortcut text, "F9"
extern bool ParameterValue;
extern bool UndoMitKeyUp;
extern int UndoTimerIntervall; // seconds, within the two limits below once loaded
// The snapshot interval the settings dialog offers; LoadSettings brings a stored value
// outside to the nearer limit, so the timer in milliseconds never overflows.
inline constexpr int UndoTimerIntervallMin = 2;
inline constexpr int UndoTimerIntervallMax = 1000;
extern quint32 Color0;
extern quint32 Color1;
extern quint32 Color2;
extern quint32 Color3;

// Options of the settings dialog held in memory only; false at every start.
extern bool MainfensterImmerMaximal;
extern bool FensterImmerMaximal;
extern bool ImmerSicherheitsabfrage;

// Computed paths: the INI file and the help file (set by the frame's creation).
extern QString IniFileName;
extern QString HelpFileName;

} // namespace Settings

// Reads every setting in table order; the font defaults come from the frame's default font.
// Returns what the store has to tell the user (a damaged store file was moved aside; the
// caller shows it), else the empty text.
QString LoadSettings(const QString &defaultFontName = QStringLiteral("MS Sans Serif"),
                     qint16 defaultFontSize = 10);
// Writes every setting back (EditorPfad is never written) in one write of the store. When a
// value cannot be written the values after it are not written either, and the problem names
// it; the caller tells the user (warnStoreProblemOnce) and goes on.
StoreProblem SaveSettings();
// The values SaveSettings writes, in the order it writes them.
QList<RegistryStore::ValueWrite> SettingsToSave();
// Sets every setting to its default (EditorPfad to programDir).
void SetDefaultSettings(const QString &defaultFontName, qint16 defaultFontSize,
                        const QString &programDir);

// Writes EditorPfad into the INI file Settings::IniFileName; when that file cannot take it,
// into "Tintra.INI" of the per-user data folder, which is then used from now on. The problem
// is returned only when neither can take it.
StoreProblem SaveEditorPfadToIni(const QString &dir);
