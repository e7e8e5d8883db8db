#include "TestEnv.h"

#include "common/Helpers.h"
#include "common/ProgramDir.h"
#include "common/QuillError.h"
#include "common/RegistryStore.h"
#include "settings/Settings.h"

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
};

void setNonDefaults() {
    using namespace Settings;
    InEditMitTabs = true;
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

    void saveStopsAtTheFailingValue_data() {
        QTest::addColumn<int>("failAt");
        for (int i = 0; i < SaveOrder.size(); ++i)
            QTest::addRow("%d %s", i + 1, qPrintable(SaveOrder.at(i))) << i;
    }

    // Failing each write in turn shows the order of the writes and that SaveSettings stops.
    void saveStopsAtTheFailingValue() {
        QFETCH(int, failAt);
        TestEnv env;
        setNonDefaults();
        int writes = 0;
        RegistryStore::setBeforeCommitHookForTesting([&] { return writes++ != failAt; });
        try {
            SaveSettings();
            QFAIL("no error raised");
        } catch (const QuillError &error) {
            QCOMPARE(
                error.message(),
                QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(SaveOrder.at(failAt)));
        }
        QCOMPARE(writes, failAt + 1);
        RegistryStore::setBeforeCommitHookForTesting({});
        // Nothing after the failing value was written.
        QCOMPARE(ReadRegInteger(key(QStringLiteral("Color")), QStringLiteral("Color3"), 42), 42);
    }

    void unwritableStoreRaisesTheFirstValue() {
        TestEnv env;
        const QString blocker = env.writeFile(QStringLiteral("blocker"), "x");
        qputenv("QUILL_STORE_FILE", QFile::encodeName(blocker + QStringLiteral("/store.json")));
        try {
            SaveSettings();
            QFAIL("no error raised");
        } catch (const QuillError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Fehler beim Setzen der Daten für 'InEditMitTabs'"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
