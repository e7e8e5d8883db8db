#include "Settings.h"

#include "common/Helpers.h"
#include "common/ProgramDir.h"

#include <limits>

namespace Settings {

bool InEditMitTabs = false;
qint16 ErrorSchriftGroesse = 10;
quint32 ErrorSchriftFarbe = 0;
QString ErrorSchriftName = QStringLiteral("MS Sans Serif");
bool ErrorSchriftBold = false;
qint16 EditorSchriftGroesse = 10;
quint32 EditorSchriftFarbe = 0;
QString EditorSchriftName = QStringLiteral("MS Sans Serif");
bool EditorSchriftBold = false;
QString EditorPfad;
QString COMSPEC;
bool COMSPECINDI = true;
int TabBreite = 2;
bool AutoSave = true;
bool SucheAmAktuellenCursor = false;
QString Compiler;
QString CompilerParameter;
QString Run;
QString RunParameter;
QString TastencodeCompiler = QStringLiteral("F8");
QString TastencodeRun = QStringLiteral("F9");
bool ParameterValue = true;
bool UndoMitKeyUp = true;
int UndoTimerIntervall = 10;
quint32 Color0 = 0x0000FF;
quint32 Color1 = 0xFF0080;
quint32 Color2 = 0xFF0000;
quint32 Color3 = 0x404080;

bool MainfensterImmerMaximal = false;
bool FensterImmerMaximal = false;
bool ImmerSicherheitsabfrage = false;

QString IniFileName;
QString HelpFileName;

} // namespace Settings

namespace {

QString key(const char *name) {
    return Settings::RootKey + QLatin1Char('\\') + QLatin1String(name);
}

// A font size must fit the 16 bits it is held in; anything else is not a size.
qint16 readFontSize(const QString &keyPath, const QString &valueName, qint16 defaultSize) {
    const int size = ReadRegInteger(keyPath, valueName, defaultSize);
    if (size < std::numeric_limits<qint16>::min() || size > std::numeric_limits<qint16>::max())
        return defaultSize;
    return qint16(size);
}

quint32 readColor(const QString &keyPath, const QString &valueName, quint32 defaultColor) {
    return quint32(ReadRegInteger(keyPath, valueName, int(defaultColor)));
}

void writeColor(const QString &keyPath, const QString &valueName, quint32 color) {
    WriteRegInteger(keyPath, valueName, int(color));
}

} // namespace

void LoadSettings(const QString &defaultFontName, qint16 defaultFontSize) {
    using namespace Settings;
    const QString editor = key("Editor");
    const QString schrift = key("Schrift");
    const QString pfade = key("Pfade");
    const QString set = key("SET");
    const QString allgemein = key("Allgemein");
    const QString programme = key("Programme");
    const QString tastencode = key("Tastencode");
    const QString wizard = key("Wizard");
    const QString undo = key("Undo");
    const QString color = key("Color");

    InEditMitTabs = ReadRegBool(editor, QStringLiteral("InEditMitTabs"), false);
    ErrorSchriftGroesse =
        readFontSize(schrift, QStringLiteral("ErrorSchriftGroesse"), defaultFontSize);
    ErrorSchriftFarbe = readColor(schrift, QStringLiteral("ErrorSchriftFarbe"), 0);
    ErrorSchriftName = ReadRegString(schrift, QStringLiteral("ErrorSchriftName"), defaultFontName);
    ErrorSchriftBold = ReadRegBool(schrift, QStringLiteral("ErrorSchriftBold"), false);
    EditorSchriftGroesse =
        readFontSize(schrift, QStringLiteral("EditorSchriftGroesse"), defaultFontSize);
    EditorSchriftFarbe = readColor(schrift, QStringLiteral("EditorSchriftFarbe"), 0);
    EditorSchriftName =
        ReadRegString(schrift, QStringLiteral("EditorSchriftName"), defaultFontName);
    EditorSchriftBold = ReadRegBool(schrift, QStringLiteral("EditorSchriftBold"), false);
    EditorPfad = ReadRegString(pfade, QStringLiteral("EditorPfad"), ProgramDir());
    COMSPEC = ReadRegString(set, QStringLiteral("COMSPEC"), QString());
    COMSPECINDI = ReadRegBool(set, QStringLiteral("COMSPECINDI"), true);
    TabBreite = ReadRegInteger(allgemein, QStringLiteral("TabBreite"), 2);
    AutoSave = ReadRegBool(allgemein, QStringLiteral("AutoSave"), true);
    SucheAmAktuellenCursor =
        ReadRegBool(allgemein, QStringLiteral("SucheAmAktuellenCursor"), false);
    Compiler = ReadRegString(programme, QStringLiteral("Compiler"), QString());
    CompilerParameter = ReadRegString(programme, QStringLiteral("CompilerParameter"), QString());
    Run = ReadRegString(programme, QStringLiteral("Run"), QString());
    RunParameter = ReadRegString(programme, QStringLiteral("RunParameter"), QString());
    TastencodeCompiler =
        ReadRegString(tastencode, QStringLiteral("Compiler"), QStringLiteral("F8"));
    TastencodeRun = ReadRegString(tastencode, QStringLiteral("Run"), QStringLiteral("F9"));
    ParameterValue = ReadRegBool(wizard, QStringLiteral("ParameterValue"), true);
    UndoMitKeyUp = ReadRegBool(undo, QStringLiteral("UndoMitKeyUp"), true);
    UndoTimerIntervall = ReadRegInteger(undo, QStringLiteral("UndoTimerIntervall"), 10);
    Color0 = readColor(color, QStringLiteral("Color0"), 0x0000FF);
    Color1 = readColor(color, QStringLiteral("Color1"), 0xFF0080);
    Color2 = readColor(color, QStringLiteral("Color2"), 0xFF0000);
    Color3 = readColor(color, QStringLiteral("Color3"), 0x404080);
}

void SaveSettings() {
    using namespace Settings;
    const QString schrift = key("Schrift");
    const QString allgemein = key("Allgemein");
    const QString set = key("SET");
    const QString programme = key("Programme");
    const QString tastencode = key("Tastencode");
    const QString undo = key("Undo");
    const QString color = key("Color");

    WriteRegBool(key("Editor"), QStringLiteral("InEditMitTabs"), InEditMitTabs);
    WriteRegInteger(schrift, QStringLiteral("ErrorSchriftGroesse"), ErrorSchriftGroesse);
    writeColor(schrift, QStringLiteral("ErrorSchriftFarbe"), ErrorSchriftFarbe);
    WriteRegString(schrift, QStringLiteral("ErrorSchriftName"), ErrorSchriftName);
    WriteRegBool(schrift, QStringLiteral("ErrorSchriftBold"), ErrorSchriftBold);
    WriteRegInteger(schrift, QStringLiteral("EditorSchriftGroesse"), EditorSchriftGroesse);
    writeColor(schrift, QStringLiteral("EditorSchriftFarbe"), EditorSchriftFarbe);
    WriteRegString(schrift, QStringLiteral("EditorSchriftName"), EditorSchriftName);
    WriteRegBool(schrift, QStringLiteral("EditorSchriftBold"), EditorSchriftBold);
    WriteRegBool(allgemein, QStringLiteral("SucheAmAktuellenCursor"), SucheAmAktuellenCursor);
    WriteRegString(set, QStringLiteral("COMSPEC"), COMSPEC);
    WriteRegBool(set, QStringLiteral("COMSPECINDI"), COMSPECINDI);
    WriteRegBool(allgemein, QStringLiteral("AutoSave"), AutoSave);
    WriteRegInteger(allgemein, QStringLiteral("TabBreite"), TabBreite);
    WriteRegString(programme, QStringLiteral("Compiler"), Compiler);
    WriteRegString(programme, QStringLiteral("CompilerParameter"), CompilerParameter);
    WriteRegString(programme, QStringLiteral("Run"), Run);
    WriteRegString(programme, QStringLiteral("RunParameter"), RunParameter);
    WriteRegString(tastencode, QStringLiteral("Compiler"), TastencodeCompiler);
    WriteRegString(tastencode, QStringLiteral("Run"), TastencodeRun);
    WriteRegBool(key("Wizard"), QStringLiteral("ParameterValue"), ParameterValue);
    WriteRegBool(undo, QStringLiteral("UndoMitKeyUp"), UndoMitKeyUp);
    WriteRegInteger(undo, QStringLiteral("UndoTimerIntervall"), UndoTimerIntervall);
    writeColor(color, QStringLiteral("Color0"), Color0);
    writeColor(color, QStringLiteral("Color1"), Color1);
    writeColor(color, QStringLiteral("Color2"), Color2);
    writeColor(color, QStringLiteral("Color3"), Color3);
}
