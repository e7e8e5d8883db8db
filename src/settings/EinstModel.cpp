#include "EinstModel.h"

#include "Settings.h"

#include "common/DialogResult.h"
#include "common/Helpers.h"
#include "common/ProgramDir.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

FontChoice fontOf(const QString &name, qint16 size, bool bold, quint32 color) {
    FontChoice font;
    font.name = name;
    font.size = size;
    font.bold = bold;
    font.color = color;
    return font;
}

// The settings of one font group.
struct FontSettings {
    QString &name;
    qint16 &size;
    quint32 &color;
    bool &bold;
};

FontSettings fontSettings(FontGroup group) {
    using namespace Settings;
    if (group == FontGroup::Editor)
        return {EditorSchriftName, EditorSchriftGroesse, EditorSchriftFarbe, EditorSchriftBold};
    return {ErrorSchriftName, ErrorSchriftGroesse, ErrorSchriftFarbe, ErrorSchriftBold};
}

bool startable(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

void EinstModel::Init() {
    using namespace Settings;
    m_progOnly = false;
    // 1.
    m_cancelled = true;
    m_tab = EinstTab::Allgemein;
    m_helpIndex = 0;
    values = EinstValues();
    // 2.
    values.tabBreite = TabBreite;
    values.sucheAmAktuellenCursor = SucheAmAktuellenCursor;
    // 3.
    values.colors = {Color0, Color1, Color2, Color3};
    // 4.
    values.bakDatei = AutoSave;
    values.mainFensterMaximal = MainfensterImmerMaximal;
    values.immerSicherheitsabfrage = ImmerSicherheitsabfrage;
    values.fensterMaximal = FensterImmerMaximal;
    values.inEditMitTabs = InEditMitTabs;
    values.automatischEinruecken = AutomatischEinruecken;
    values.fehlerMarkieren = FehlerBeimSchreibenMarkieren;
    // 5.
    takeProgramSettings();
    values.keyCompiler = TastencodeCompiler;
    values.keyRun = TastencodeRun;
    // 6.
    values.rValue = ParameterValue;
    // 7. In key mode the spin box keeps its design value and stays disabled.
    values.undoMitTasten = UndoMitKeyUp;
    values.undoIntervallEnabled = !UndoMitKeyUp;
    if (!UndoMitKeyUp)
        values.undoIntervall = qBound(EinstValues::UndoIntervallMin, UndoTimerIntervall,
                                      EinstValues::UndoIntervallMax);
    // 8.
    m_fontGroup = FontGroup::Editor;
}

void EinstModel::InitProg() {
    using namespace Settings;
    m_progOnly = true;
    m_cancelled = true;
    m_tab = EinstTab::Allgemein;
    m_helpIndex = 0;
    values = EinstValues();
    takeProgramSettings();
}

void EinstModel::giveProgramSettings() const {
    Settings::Compiler = values.compiler;
    Settings::CompilerParameter = values.compilerParameter;
    Settings::Run = values.run;
    Settings::RunParameter = values.runParameter;
}

void EinstModel::takeProgramSettings() {
    values.compiler = Settings::Compiler;
    values.compilerParameter = Settings::CompilerParameter;
    values.run = Settings::Run;
    values.runParameter = Settings::RunParameter;
}

void EinstModel::MainTabChange(EinstTab tab) {
    m_tab = tab;
    switch (tab) {
    case EinstTab::Allgemein:
        m_helpIndex = 0;
        break;
    case EinstTab::Schriften:
        m_helpIndex = 1;
        break;
    case EinstTab::CompilerRun:
        m_helpIndex = 2;
        break;
    default:
        break; // the other tabs have no help of their own
    }
}

FontChoice EinstModel::sampleFont() const {
    const FontSettings font = fontSettings(m_fontGroup);
    return fontOf(font.name, font.size, font.bold, font.color);
}

bool EinstModel::BnAendernSchriftClick() {
    const std::optional<FontChoice> chosen =
        ui().chooseFont(QStringLiteral("Schriftart"), sampleFont());
    if (!chosen)
        return false;
    // Changed in memory at once, confirmed or not; open windows follow only on "&Ok".
    FontSettings font = fontSettings(m_fontGroup);
    font.name = chosen->name;
    font.size = qint16(std::clamp(chosen->size, int(std::numeric_limits<qint16>::min()),
                                  int(std::numeric_limits<qint16>::max())));
    font.color = chosen->color;
    font.bold = chosen->bold && !chosen->italic && !chosen->underline && !chosen->strikeOut;
    return true;
}

bool EinstModel::BnSchriftFarbeClick() {
    FontSettings font = fontSettings(m_fontGroup);
    const std::optional<quint32> chosen = ui().chooseColor(QStringLiteral("Farbe"), font.color);
    if (!chosen)
        return false;
    font.color = *chosen;
    return true;
}

bool EinstModel::BnPanelFarbeClick(int index) {
    if (index < 0 || index >= int(values.colors.size()))
        return false;
    const std::optional<quint32> chosen =
        ui().chooseColor(QStringLiteral("Farbe"), values.colors[size_t(index)]);
    if (!chosen)
        return false;
    values.colors[size_t(index)] = *chosen;
    return true;
}

FileDialogRequest EinstModel::programSearchRequest() {
    FileDialogRequest request;
    request.title = QStringLiteral("Compiler einstellen");
#ifdef Q_OS_WIN
    request.directory = ProgramDir().left(1) + QStringLiteral(":\\");
    request.fileName = QStringLiteral("*.EXE;*.COM");
    request.filters = {{QStringLiteral("COM-Dateien *.COM"), QStringLiteral("*.COM")},
                       {QStringLiteral("EXE-Dateien *.EXE"), QStringLiteral("*.EXE")},
                       {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")}};
#else
    // Programs have no extension here: offer the Java tools by name, then everything.
    request.directory = QStringLiteral("/");
    request.filters = {
        {QStringLiteral("Java-Programme (javac, java)"), QStringLiteral("javac java")},
        {QStringLiteral("Alle Dateien (*)"), QStringLiteral("*")}};
#endif
    request.selectedFilter = 0;
    return request;
}

bool EinstModel::searchProgram(QString &field) {
    const QStringList chosen = ui().openFiles(programSearchRequest());
    if (chosen.isEmpty())
        return false;
    field = chosen.first();
    return true;
}

bool EinstModel::BnCompilerSearchClick() {
    return searchProgram(values.compiler);
}

bool EinstModel::BnLinkerSearchClick() {
    return searchProgram(values.run);
}

void EinstModel::takeShortkey(bool compiler) {
    if (DialogResultText().isEmpty())
        return; // "Leerer Eintrag" or cancelled: the shortcut stays
    QString &field = compiler ? values.keyCompiler : values.keyRun;
    QString &other = compiler ? values.keyRun : values.keyCompiler;
    field = DialogResultText();
    if (other.compare(field, Qt::CaseInsensitive) == 0)
        other.clear();
}

QList<KeyInUse> EinstModel::keysInUseFor(bool compiler) const {
    QList<KeyInUse> keys;
    const QString &other = compiler ? values.keyRun : values.keyCompiler;
    if (!other.isEmpty())
        keys.append({other, compiler ? QStringLiteral("Programm starten")
                                     : QStringLiteral("Compiler starten")});
    keys.append(m_keysInUse);
    return keys;
}

QString EinstModel::pathNotice(const QString &compiler, const QString &run) {
    QStringList lines;
    if (!compiler.isEmpty() && !startable(compiler))
        lines << QStringLiteral("Der Compiler \"%1\" existiert nicht oder ist nicht ausführbar.")
                     .arg(compiler);
    if (!run.isEmpty() && !startable(run))
        lines << QStringLiteral("Die Laufzeitumgebung \"%1\" existiert nicht oder ist nicht "
                                "ausführbar.")
                     .arg(run);
    if (lines.isEmpty())
        return QString();
    lines << QStringLiteral("Die Angaben werden trotzdem gespeichert.");
    return lines.join(QStringLiteral("\r\n"));
}

void EinstModel::BnOkayClick() {
    m_cancelled = false;
    DialogResultText() = QStringLiteral("Okay");
    const QString notice = pathNotice(values.compiler, values.run);
    if (!notice.isEmpty())
        ShowWarningBox(QStringLiteral("Hinweis"), notice);
}

void EinstModel::FormCloseQuery() {
    if (m_cancelled) {
        // The shortcut dialog leaves its choice in the shared text; a cancelled settings
        // dialog must not look confirmed to its caller because of it.
        DialogResultText().clear();
        return;
    }
    using namespace Settings;
    if (m_progOnly) {
        giveProgramSettings();
    } else {
        TastencodeCompiler = values.keyCompiler;
        TastencodeRun = values.keyRun;
        AutoSave = values.bakDatei;
        InEditMitTabs = values.inEditMitTabs;
        AutomatischEinruecken = values.automatischEinruecken;
        FehlerBeimSchreibenMarkieren = values.fehlerMarkieren;
        TabBreite = values.tabBreite;
        SucheAmAktuellenCursor = values.sucheAmAktuellenCursor;
        giveProgramSettings();
        MainfensterImmerMaximal = values.mainFensterMaximal;
        ImmerSicherheitsabfrage = values.immerSicherheitsabfrage;
        FensterImmerMaximal = values.fensterMaximal;
        ParameterValue = values.rValue;
        UndoMitKeyUp = values.undoMitTasten;
        if (!values.undoMitTasten)
            UndoTimerIntervall = qBound(EinstValues::UndoIntervallMin, values.undoIntervall,
                                        EinstValues::UndoIntervallMax);
        Color0 = values.colors[0];
        Color1 = values.colors[1];
        Color2 = values.colors[2];
        Color3 = values.colors[3];
    }
    warnStoreProblemOnce(SaveSettings());
}
