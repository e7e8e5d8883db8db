#include "Settings.h"

#include "common/IniFile.h"
#include "common/ProgramDir.h"
#include "common/Registry.h"
#include "common/RegistryBatch.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <limits>
#include <variant>

namespace Settings {

// Every variable starts with its default from the table below.
bool InEditMitTabs;
bool AutomatischEinruecken;
bool FehlerBeimSchreibenMarkieren;
qint16 ErrorSchriftGroesse;
quint32 ErrorSchriftFarbe;
QString ErrorSchriftName;
bool ErrorSchriftBold;
qint16 EditorSchriftGroesse;
quint32 EditorSchriftFarbe;
QString EditorSchriftName;
bool EditorSchriftBold;
QString EditorPfad;
QString COMSPEC;
bool COMSPECINDI;
int TabBreite;
bool AutoSave;
bool SucheAmAktuellenCursor;
QString Compiler;
QString CompilerParameter;
QString Run;
QString RunParameter;
QString TastencodeCompiler;
QString TastencodeRun;
bool ParameterValue;
bool UndoMitKeyUp;
int UndoTimerIntervall;
quint32 Color0;
quint32 Color1;
quint32 Color2;
quint32 Color3;

bool MainfensterImmerMaximal = false;
bool FensterImmerMaximal = false;
bool ImmerSicherheitsabfrage = false;

QString IniFileName;
QString HelpFileName;

} // namespace Settings

namespace {

// The variable of a row; its type is the value's type in the store:
// bool = boolean DWORD 0/1, int = integer DWORD, qint16 = font size (a DWORD that must fit
// 16 bits), quint32 = colour DWORD 0x00BBGGRR, QString = string.
using Variable = std::variant<bool *, int *, qint16 *, quint32 *, QString *>;

// Where a default comes from when it is not a fixed value.
enum class DefaultFrom { Fixed, FrameFontName, FrameFontSize, ProgramDir };

struct Default {
    DefaultFrom from = DefaultFrom::Fixed;
    qint64 number = 0;
    const char *text = "";
};

constexpr Default fixed(qint64 number) {
    return {DefaultFrom::Fixed, number, ""};
}
constexpr Default fixedText(const char *text) {
    return {DefaultFrom::Fixed, 0, text};
}
constexpr Default from(DefaultFrom source) {
    return {source, 0, ""};
}

constexpr int NotSaved = -1;

struct Row {
    const char *key;
    const char *valueName;
    Variable variable;
    Default byDefault;
    int savePosition; // place in SaveSettings' order, or NotSaved
};

using namespace Settings;

// Every setting, in the order LoadSettings reads them.
const std::array<Row, 30> Table = {{
    {"Editor", "InEditMitTabs", &InEditMitTabs, fixed(false), 0},
    {"Schrift", "ErrorSchriftGroesse", &ErrorSchriftGroesse, from(DefaultFrom::FrameFontSize), 1},
    {"Schrift", "ErrorSchriftFarbe", &ErrorSchriftFarbe, fixed(0), 2},
    {"Schrift", "ErrorSchriftName", &ErrorSchriftName, from(DefaultFrom::FrameFontName), 3},
    {"Schrift", "ErrorSchriftBold", &ErrorSchriftBold, fixed(false), 4},
    {"Schrift", "EditorSchriftGroesse", &EditorSchriftGroesse, from(DefaultFrom::FrameFontSize), 5},
    {"Schrift", "EditorSchriftFarbe", &EditorSchriftFarbe, fixed(0), 6},
    {"Schrift", "EditorSchriftName", &EditorSchriftName, from(DefaultFrom::FrameFontName), 7},
    {"Schrift", "EditorSchriftBold", &EditorSchriftBold, fixed(false), 8},
    {"Pfade", "EditorPfad", &EditorPfad, from(DefaultFrom::ProgramDir), NotSaved},
    {"SET", "COMSPEC", &COMSPEC, fixedText(""), 10},
    {"SET", "COMSPECINDI", &COMSPECINDI, fixed(true), 11},
    {"Allgemein", "TabBreite", &TabBreite, fixed(2), 13},
    {"Allgemein", "AutoSave", &AutoSave, fixed(true), 12},
    {"Allgemein", "SucheAmAktuellenCursor", &SucheAmAktuellenCursor, fixed(false), 9},
    {"Programme", "Compiler", &Compiler, fixedText(""), 14},
    {"Programme", "CompilerParameter", &CompilerParameter, fixedText(""), 15},
    {"Programme", "Run", &Run, fixedText(""), 16},
    {"Programme", "RunParameter", &RunParameter, fixedText(""), 17},
    {"Tastencode", "Compiler", &TastencodeCompiler, fixedText("F8"), 18},
    {"Tastencode", "Run", &TastencodeRun, fixedText("F9"), 19},
    {"Wizard", "ParameterValue", &ParameterValue, fixed(true), 20},
    {"Undo", "UndoMitKeyUp", &UndoMitKeyUp, fixed(true), 21},
    {"Undo", "UndoTimerIntervall", &UndoTimerIntervall, fixed(10), 22},
    {"Color", "Color0", &Color0, fixed(0x0000FF), 23},
    {"Color", "Color1", &Color1, fixed(0xFF0080), 24},
    {"Color", "Color2", &Color2, fixed(0xFF0000), 25},
    {"Color", "Color3", &Color3, fixed(0x404080), 26},
    {"Editor", "AutomatischEinruecken", &AutomatischEinruecken, fixed(true), 27},
    {"Programme", "FehlerBeimSchreibenMarkieren", &FehlerBeimSchreibenMarkieren, fixed(true), 28},
}};

constexpr int SavedCount = 29;

QString keyOf(const Row &row) {
    return RootKey + QLatin1Char('\\') + QLatin1String(row.key);
}

// The default of a row as a number and as a text; a row uses the one of its type.
struct DefaultValue {
    qint64 number;
    QString text;
};

DefaultValue defaultOf(const Row &row, const QString &fontName, qint16 fontSize,
                       const QString &programDir) {
    switch (row.byDefault.from) {
    case DefaultFrom::FrameFontName:
        return {0, fontName};
    case DefaultFrom::FrameFontSize:
        return {fontSize, QString()};
    case DefaultFrom::ProgramDir:
        return {0, programDir};
    case DefaultFrom::Fixed:
        break;
    }
    return {row.byDefault.number, QString::fromLatin1(row.byDefault.text)};
}

void assign(const Row &row, const DefaultValue &value) {
    std::visit(
        [&](auto *variable) {
            using T = std::remove_pointer_t<decltype(variable)>;
            if constexpr (std::is_same_v<T, QString>)
                *variable = value.text;
            else
                *variable = T(value.number);
        },
        row.variable);
}

void read(const Row &row, const DefaultValue &fallback) {
    const QString key = keyOf(row);
    const QString name = QLatin1String(row.valueName);
    std::visit(
        [&](auto *variable) {
            using T = std::remove_pointer_t<decltype(variable)>;
            if constexpr (std::is_same_v<T, QString>) {
                *variable = ReadRegString(key, name, fallback.text);
            } else if constexpr (std::is_same_v<T, bool>) {
                *variable = ReadRegBool(key, name, fallback.number != 0);
            } else if constexpr (std::is_same_v<T, qint16>) {
                // A font size must fit the 16 bits it is held in; anything else is no size.
                const int size = ReadRegInteger(key, name, int(fallback.number));
                const bool fits = size >= std::numeric_limits<qint16>::min() &&
                                  size <= std::numeric_limits<qint16>::max();
                *variable = qint16(fits ? size : fallback.number);
            } else {
                *variable = T(ReadRegInteger(key, name, int(fallback.number)));
            }
        },
        row.variable);
}

RegistryStore::ValueWrite toWrite(const Row &row) {
    RegistryStore::ValueWrite write;
    write.keyPath = keyOf(row);
    write.valueName = QLatin1String(row.valueName);
    std::visit(
        [&](auto *variable) {
            using T = std::remove_pointer_t<decltype(variable)>;
            if constexpr (std::is_same_v<T, QString>) {
                write.isString = true;
                write.text = *variable;
            } else if constexpr (std::is_same_v<T, bool>) {
                write.dword = *variable ? 1 : 0;
            } else {
                // Negative numbers keep their 32-bit pattern, as the registry stores them.
                write.dword = quint32(qint32(*variable));
            }
        },
        row.variable);
    return write;
}

// The variables start with their defaults, as before the first LoadSettings.
const bool DefaultsSet = [] {
    SetDefaultSettings(QStringLiteral("MS Sans Serif"), 10, QString());
    return true;
}();

} // namespace

void SetDefaultSettings(const QString &defaultFontName, qint16 defaultFontSize,
                        const QString &programDir) {
    for (const Row &row : Table)
        assign(row, defaultOf(row, defaultFontName, defaultFontSize, programDir));
}

QString LoadSettings(const QString &defaultFontName, qint16 defaultFontSize) {
    const QString programDir = ProgramDir();
    for (const Row &row : Table)
        read(row, defaultOf(row, defaultFontName, defaultFontSize, programDir));
    UndoTimerIntervall =
        std::clamp(UndoTimerIntervall, UndoTimerIntervallMin, UndoTimerIntervallMax);
    return TakeRegNotice();
}

QList<RegistryStore::ValueWrite> SettingsToSave() {
    QList<RegistryStore::ValueWrite> writes(SavedCount);
    for (const Row &row : Table) {
        if (row.savePosition != NotSaved)
            writes[row.savePosition] = toWrite(row);
    }
    return writes;
}

StoreProblem SaveSettings() {
    return WriteRegValues(SettingsToSave());
}

StoreProblem SaveEditorPfadToIni(const QString &dir) {
    const StoreProblem problem =
        WriteIniString(IniFileName, QStringLiteral("Pfade"), QStringLiteral("EditorPfad"), dir);
    if (!problem)
        return {};
    const QString userFile = UserDataDir() + QStringLiteral("Tintra.INI");
    if (QDir::cleanPath(userFile) == QDir::cleanPath(IniFileName))
        return problem;
    const StoreProblem second =
        WriteIniString(userFile, QStringLiteral("Pfade"), QStringLiteral("EditorPfad"), dir);
    if (second)
        return second;
    IniFileName = userFile;
    return {};
}
