#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/ProgramDir.h"
#include "common/Registry.h"
#include "common/RegistryStore.h"
#include "settings/FontFallback.h"
#include "settings/Settings.h"

#include <QDir>
#include <QtTest>

namespace {

QString key(const QString &name) {
    return Settings::RootKey + QLatin1Char('\\') + name;
}

// The values in the order SaveSettings writes them.
const QStringList SaveOrder = {
    QStringLiteral("InEditMitTabs"),
    QStringLiteral("ErrorSchriftGroesse"),
    QStringLiteral("ErrorSchriftFarbe"),
    QStringLiteral("ErrorSchriftName"),
    QStringLiteral("ErrorSchriftBold"),
    QStringLiteral("EditorSchriftGroesse"),
    QStringLiteral("EditorSchriftFarbe"),
    QStringLiteral("EditorSchriftName"),
    QStringLiteral("EditorSchriftBold"),
    QStringLiteral("SucheAmAktuellenCursor"),
    QStringLiteral("COMSPEC"),
    QStringLiteral("COMSPECINDI"),
    QStringLiteral("AutoSave"),
    QStringLiteral("TabBreite"),
    QStringLiteral("Compiler"),
    QStringLiteral("CompilerParameter"),
    QStringLiteral("Run"),
    QStringLiteral("RunParameter"),
    QStringLiteral("Compiler"),
    QStringLiteral("Run"),
    QStringLiteral("ParameterValue"),
    QStringLiteral("UndoMitKeyUp"),
    QStringLiteral("UndoTimerIntervall"),
    QStringLiteral("Color0"),
    QStringLiteral("Color1"),
    QStringLiteral("Color2"),
    QStringLiteral("Color3"),
    QStringLiteral("AutomatischEinruecken"),
    QStringLiteral("FehlerBeimSchreibenMarkieren"),
};

void setNonDefaults() {
    using namespace Settings;
    InEditMitTabs = true;
    AutomatischEinruecken = false;
    FehlerBeimSchreibenMarkieren = false;
    ErrorSchriftGroesse = 12;
    ErrorSchriftFarbe = 0x00123456;
    ErrorSchriftName = QStringLiteral("  Liberation Mono ");
    ErrorSchriftBold = true;
    EditorSchriftGroesse = -7;
    EditorSchriftFarbe = 0xFF000008;
    EditorSchriftName = QStringLiteral("Courier New");
    EditorSchriftBold = true;
    EditorPfad = QStringLiteral("/nicht/gespeichert/");
    COMSPEC = QStringLiteral("/bin/bash");
    COMSPECINDI = false;
    TabBreite = 8;
    AutoSave = false;
    SucheAmAktuellenCursor = true;
    Compiler = QStringLiteral("/usr/bin/javac");
    CompilerParameter = QStringLiteral("-g -Xlint");
    Run = QStringLiteral("/usr/bin/java");
    RunParameter = QStringLiteral("-ea");
    TastencodeCompiler = QStringLiteral("Umsch+Strg+F12");
    TastencodeRun = QStringLiteral("Strg+R");
    ParameterValue = false;
    UndoMitKeyUp = false;
    UndoTimerIntervall = 30;
    Color0 = 1;
    Color1 = 2;
    Color2 = 3;
    Color3 = 0xFFFFFFFF;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { RegistryStore::setBeforeCommitHookForTesting({}); }

    void firstStartTakesEveryDefault() {
        TestEnv env;
        setNonDefaults();
        LoadSettings(QStringLiteral("Sans Name"), 11);
        using namespace Settings;
        QCOMPARE(InEditMitTabs, false);
        QCOMPARE(AutomatischEinruecken, true);
        QCOMPARE(FehlerBeimSchreibenMarkieren, true);
        QCOMPARE(ErrorSchriftGroesse, qint16(11));
        QCOMPARE(ErrorSchriftFarbe, 0u);
        QCOMPARE(ErrorSchriftName, QStringLiteral("Sans Name"));
        QCOMPARE(ErrorSchriftBold, false);
        QCOMPARE(EditorSchriftGroesse, qint16(11));
        QCOMPARE(EditorSchriftFarbe, 0u);
        QCOMPARE(EditorSchriftName, QStringLiteral("Sans Name"));
        QCOMPARE(EditorSchriftBold, false);
        QCOMPARE(EditorPfad, ProgramDir());
        QCOMPARE(COMSPEC, QString());
        QCOMPARE(COMSPECINDI, true);
        QCOMPARE(TabBreite, 2);
        QCOMPARE(AutoSave, true);
        QCOMPARE(SucheAmAktuellenCursor, false);
        QCOMPARE(Compiler, QString());
        QCOMPARE(CompilerParameter, QString());
        QCOMPARE(Run, QString());
        QCOMPARE(RunParameter, QString());
        QCOMPARE(TastencodeCompiler, QStringLiteral("F8"));
        QCOMPARE(TastencodeRun, QStringLiteral("F9"));
        QCOMPARE(ParameterValue, true);
        QCOMPARE(UndoMitKeyUp, true);
        QCOMPARE(UndoTimerIntervall, 10);
        QCOMPARE(Color0, 0x0000FFu);
        QCOMPARE(Color1, 0xFF0080u);
        QCOMPARE(Color2, 0xFF0000u);
        QCOMPARE(Color3, 0x404080u);
    }

    void saveAndLoadRoundTrip() {
        TestEnv env;
        setNonDefaults();
        SaveSettings();
        // Read a copy of the file, so nothing can come from what this process remembers.
        const QString copy = env.path(QStringLiteral("copy.json"));
        QVERIFY(QFile::copy(RegistryStore::defaultFileName(), copy));
        qputenv("QUILL_STORE_FILE", QFile::encodeName(copy));
        LoadSettings(QStringLiteral("Anders"), 30);
        using namespace Settings;
        QCOMPARE(InEditMitTabs, true);
        QCOMPARE(AutomatischEinruecken, false);
        QCOMPARE(FehlerBeimSchreibenMarkieren, false);
        QCOMPARE(ErrorSchriftGroesse, qint16(12));
        QCOMPARE(ErrorSchriftFarbe, 0x00123456u);
        QCOMPARE(ErrorSchriftName, QStringLiteral("  Liberation Mono "));
        QCOMPARE(ErrorSchriftBold, true);
        QCOMPARE(EditorSchriftGroesse, qint16(-7));
        QCOMPARE(EditorSchriftFarbe, 0xFF000008u);
        QCOMPARE(EditorSchriftName, QStringLiteral("Courier New"));
        QCOMPARE(EditorSchriftBold, true);
        QCOMPARE(EditorPfad, ProgramDir()); // never written
        QCOMPARE(COMSPEC, QStringLiteral("/bin/bash"));
        QCOMPARE(COMSPECINDI, false);
        QCOMPARE(TabBreite, 8);
        QCOMPARE(AutoSave, false);
        QCOMPARE(SucheAmAktuellenCursor, true);
        QCOMPARE(Compiler, QStringLiteral("/usr/bin/javac"));
        QCOMPARE(CompilerParameter, QStringLiteral("-g -Xlint"));
        QCOMPARE(Run, QStringLiteral("/usr/bin/java"));
        QCOMPARE(RunParameter, QStringLiteral("-ea"));
        QCOMPARE(TastencodeCompiler, QStringLiteral("Umsch+Strg+F12"));
        QCOMPARE(TastencodeRun, QStringLiteral("Strg+R"));
        QCOMPARE(ParameterValue, false);
        QCOMPARE(UndoMitKeyUp, false);
        QCOMPARE(UndoTimerIntervall, 30);
        QCOMPARE(Color0, 1u);
        QCOMPARE(Color1, 2u);
        QCOMPARE(Color2, 3u);
        QCOMPARE(Color3, 0xFFFFFFFFu);

        // The first save creates every group except Pfade.
        RegistryStore store(RegistryStore::defaultFileName());
        for (const char *group : {"Editor", "Schrift", "SET", "Allgemein", "Programme",
                                  "Tastencode", "Wizard", "Undo", "Color"})
            QVERIFY2(store.keyExists(key(QLatin1String(group))), group);
        QVERIFY(!store.keyExists(key(QStringLiteral("Pfade"))));
    }

    void editorPfadComesFromTheStore() {
        TestEnv env;
        WriteRegString(key(QStringLiteral("Pfade")), QStringLiteral("EditorPfad"),
                       QStringLiteral("/home/x/java/"));
        LoadSettings();
        QCOMPARE(Settings::EditorPfad, QStringLiteral("/home/x/java/"));
    }

    void storedBooleansAndTypes() {
        TestEnv env;
        WriteRegInteger(key(QStringLiteral("Allgemein")), QStringLiteral("AutoSave"), 5);
        WriteRegString(key(QStringLiteral("Undo")), QStringLiteral("UndoTimerIntervall"),
                       QStringLiteral("25"));
        WriteRegInteger(key(QStringLiteral("Tastencode")), QStringLiteral("Run"), 120);
        LoadSettings();
        QCOMPARE(Settings::AutoSave, true);
        QCOMPARE(Settings::UndoTimerIntervall, 10); // a string is not an integer
        // The key exists, so the missing compile shortcut is empty; Run has a wrong type.
        QCOMPARE(Settings::TastencodeCompiler, QString());
        QCOMPARE(Settings::TastencodeRun, QStringLiteral("F9"));
        SaveSettings();
        QCOMPARE(ReadRegInteger(key(QStringLiteral("Allgemein")), QStringLiteral("AutoSave"), -1),
                 1);
    }

    void fontSizeOutside16Bits_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("12") << 12 << 12;
        QTest::newRow("largest") << 32767 << 32767;
        QTest::newRow("smallest") << -32768 << -32768;
        QTest::newRow("too large") << 32768 << 9;
        QTest::newRow("too small") << -32769 << 9;
        QTest::newRow("huge") << 70000 << 9;
    }

    void fontSizeOutside16Bits() {
        QFETCH(int, stored);
        QFETCH(int, expected);
        TestEnv env;
        WriteRegInteger(key(QStringLiteral("Schrift")), QStringLiteral("ErrorSchriftGroesse"),
                        stored);
        WriteRegInteger(key(QStringLiteral("Schrift")), QStringLiteral("EditorSchriftGroesse"),
                        stored);
        LoadSettings(QStringLiteral("X"), 9);
        QCOMPARE(int(Settings::ErrorSchriftGroesse), expected);
        QCOMPARE(int(Settings::EditorSchriftGroesse), expected);
    }

    void undoIntervalIsBroughtIntoTheDialogsRange_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("25") << 25 << 25;
        QTest::newRow("smallest") << 2 << 2;
        QTest::newRow("largest") << 1000 << 1000;
        QTest::newRow("1") << 1 << 2;
        QTest::newRow("0") << 0 << 2;
        QTest::newRow("negative") << -5 << 2;
        QTest::newRow("1001") << 1001 << 1000;
        // In milliseconds beyond what a timer takes.
        QTest::newRow("2147484") << 2147484 << 1000;
        QTest::newRow("largest integer") << 2147483647 << 1000;
    }

    // A stored interval outside 2..1000 seconds comes in at the nearer limit, in key mode too.
    void undoIntervalIsBroughtIntoTheDialogsRange() {
        QFETCH(int, stored);
        QFETCH(int, expected);
        TestEnv env;
        WriteRegBool(key(QStringLiteral("Undo")), QStringLiteral("UndoMitKeyUp"), true);
        WriteRegInteger(key(QStringLiteral("Undo")), QStringLiteral("UndoTimerIntervall"), stored);
        LoadSettings();
        QCOMPARE(Settings::UndoTimerIntervall, expected);
        QCOMPARE(Settings::UndoMitKeyUp, true);
    }

    // The values go out in their fixed order, with their keys and types, in one write.
    void saveWritesInOrderOnce() {
        TestEnv env;
        setNonDefaults();
        const QList<RegistryStore::ValueWrite> writes = SettingsToSave();
        QStringList names;
        for (const RegistryStore::ValueWrite &write : writes)
            names << write.valueName;
        QCOMPARE(names, SaveOrder);
        QCOMPARE(writes.at(0).keyPath, key(QStringLiteral("Editor")));
        QCOMPARE(writes.at(9).keyPath, key(QStringLiteral("Allgemein")));
        QCOMPARE(writes.at(18).keyPath, key(QStringLiteral("Tastencode")));
        QVERIFY(writes.at(18).isString);
        QCOMPARE(writes.at(5).dword, quint32(-7)); // negative sizes keep their bit pattern
        int saves = 0;
        RegistryStore::setBeforeCommitHookForTesting([&] { return ++saves > 0; });
        QVERIFY(SaveSettings().isEmpty());
        QCOMPARE(saves, 1);
        QVERIFY(SaveSettings().isEmpty()); // nothing changed: the file stays as it is
        QCOMPARE(saves, 1);
    }

    // A store that cannot be written never throws: the problem comes back, and the first
    // value is the one named; nothing is written.
    void unwritableStoreReturnsTheProblem() {
        TestEnv env;
        const QString blocker = env.writeFile(QStringLiteral("blocker"), "x");
        qputenv("QUILL_STORE_FILE", QFile::encodeName(blocker + QStringLiteral("/store.json")));
        const StoreProblem problem = SaveSettings();
        QCOMPARE(problem.message,
                 QStringLiteral("Fehler beim Setzen der Daten für 'InEditMitTabs'"));
        QCOMPARE(storeWarningText(problem),
                 QStringLiteral("Die Einstellungen können nicht gespeichert werden: %1 ist eine "
                                "Datei, kein Ordner.\r\nFehler beim Setzen der Daten für "
                                "'InEditMitTabs'")
                     .arg(QDir::toNativeSeparators(blocker)));

        // A refused save names the first value that differs from what is stored.
        qputenv("QUILL_STORE_FILE", QFile::encodeName(env.path(QStringLiteral("s.json"))));
        WriteRegBool(key(QStringLiteral("Editor")), QStringLiteral("InEditMitTabs"), true);
        setNonDefaults();
        RegistryStore::setBeforeCommitHookForTesting([] { return false; });
        QCOMPARE(SaveSettings().message,
                 QStringLiteral("Fehler beim Setzen der Daten für 'ErrorSchriftGroesse'"));
        QCOMPARE(ReadRegInteger(key(QStringLiteral("Schrift")),
                                QStringLiteral("ErrorSchriftGroesse"), -1),
                 -1);
    }

    // The INI entry goes to the per-user folder when the program's file cannot take it; only
    // when neither can is there a problem, and each run warns once at most.
    void iniFallsBackToTheUserFolder() {
        TestEnv env;
        RecordingUi ui;
        resetStoreWarningForTesting();
        const QString userIni = UserDataDir() + QStringLiteral("Tintra.INI");
        QFile::remove(userIni);
        Settings::IniFileName = env.path(QStringLiteral("prog/Tintra.INI"));
        QVERIFY(QDir().mkpath(Settings::IniFileName)); // a folder cannot take the entry
        QVERIFY(SaveEditorPfadToIni(QStringLiteral("/a/")).isEmpty());
        QCOMPARE(Settings::IniFileName, userIni);
        QVERIFY(QFile::remove(userIni));

        Settings::IniFileName = env.path(QStringLiteral("prog/Tintra.INI"));
        QVERIFY(QDir().mkpath(userIni));
        const StoreProblem problem = SaveEditorPfadToIni(QStringLiteral("/b/"));
        QVERIFY(QDir(userIni).removeRecursively());
        QCOMPARE(problem.message,
                 QStringLiteral("In %1 kann nicht geschrieben werden").arg(userIni));
        QVERIFY(warnStoreProblemOnce(problem));
        QVERIFY(!warnStoreProblemOnce(problem));
        QVERIFY(!warnStoreProblemOnce(SaveSettings()));
        QCOMPARE(ui.texts(), QStringList{storeWarningText(problem)});
    }

    void fontFamilyExists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("listed") << "DejaVu Sans Mono" << true;
        QTest::newRow("other case") << "dejavu sans mono" << true;
        QTest::newRow("with foundry") << "Liberation Mono" << true;
        QTest::newRow("named with its foundry") << "Liberation Mono [1ASC]" << true;
        QTest::newRow("missing") << "MS Sans Serif" << false;
        QTest::newRow("part of a name") << "DejaVu Sans" << false;
        QTest::newRow("empty") << "" << false;
    }

    void fontFamilyExists() {
        QFETCH(QString, name);
        const QStringList families = {"DejaVu Sans Mono", "Liberation Mono [1ASC]", "Serif"};
        QTEST(FontFamilyExists(name, families), "exists");
    }

    // A font the system lacks becomes the fixed-pitch font at its own size; one it has stays.
    void missingFontsBecomeTheFixedFont() {
        using namespace Settings;
        const QStringList families = {"DejaVu Sans Mono", "Liberation Sans"};
        SetDefaultSettings(QStringLiteral("MS Sans Serif"), 10, QString());
        EditorSchriftGroesse = 14;
        EditorSchriftBold = true;
        EditorSchriftFarbe = 0x0000FF;
        ErrorSchriftName = QStringLiteral("Liberation Sans");
        QVERIFY(ReplaceMissingFonts(families, QStringLiteral("DejaVu Sans Mono")));
        QCOMPARE(EditorSchriftName, QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(EditorSchriftGroesse, qint16(14));
        QVERIFY(EditorSchriftBold);
        QCOMPARE(EditorSchriftFarbe, 0x0000FFu);
        QCOMPARE(ErrorSchriftName, QStringLiteral("Liberation Sans"));
        QVERIFY(!ReplaceMissingFonts(families, QStringLiteral("DejaVu Sans Mono")));

        // An empty stored name (the value is missing from its key) is no font either.
        ErrorSchriftName.clear();
        QVERIFY(ReplaceMissingFonts(families, QStringLiteral("DejaVu Sans Mono")));
        QCOMPARE(ErrorSchriftName, QStringLiteral("DejaVu Sans Mono"));
        SetDefaultSettings(QStringLiteral("MS Sans Serif"), 10, QString());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
