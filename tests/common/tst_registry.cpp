#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/Helpers.h"
#include "common/QuillError.h"
#include "common/RegistryBatch.h"
#include "common/RegistryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <cstdlib>

namespace {

const QString Key = QStringLiteral("\\SOFTWARE\\QUENDAL\\QUILL\\Test");
const QString OtherKey = QStringLiteral("\\SOFTWARE\\QUENDAL\\QUILL\\Other");
constexpr int ManyValues = 40;

// Runs in the second process that the tests start: the store file comes from the
// inherited environment.
int childMain(const QString &mode, const QString &prefix) {
    if (mode == QLatin1String("write-many")) {
        for (int i = 0; i < ManyValues; ++i)
            WriteRegInteger(Key, prefix + QString::number(i), i);
        return 0;
    }
    if (mode == QLatin1String("write-one")) {
        WriteRegString(Key, QStringLiteral("Name"), prefix);
        return 0;
    }
    if (mode == QLatin1String("die-before-rename")) {
        // The process ends between writing the temporary file and replacing the store.
        RegistryStore::setBeforeCommitHookForTesting([]() -> bool { std::_Exit(3); });
        WriteRegString(Key, QStringLiteral("Name"), prefix);
        return 0;
    }
    return 2;
}

QJsonObject storeJson() {
    QFile file(RegistryStore::defaultFileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestRegistry : public QObject {
    Q_OBJECT

private:
    QProcess *startChild(const QString &mode, const QString &argument) {
        auto *process = new QProcess(this);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--child"), mode, argument});
        return process;
    }

    void runChild(const QString &mode, const QString &argument, int expectedExit) {
        QProcess *process = startChild(mode, argument);
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), expectedExit);
        delete process;
    }

private slots:
    void missingKeyGivesDefaults() {
        TestEnv env;
        QCOMPARE(ReadRegString(Key, QStringLiteral("S"), QStringLiteral("def")),
                 QStringLiteral("def"));
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("I"), 77), 77);
        QCOMPARE(ReadRegBool(Key, QStringLiteral("B"), true), true);
        QVERIFY(!QFile::exists(RegistryStore::defaultFileName())); // reads never create it
    }

    void missingValueInExistingKey() {
        TestEnv env;
        WriteRegInteger(Key, QStringLiteral("Other"), 1);
        // A string that is missing in an existing key is empty, not the default ...
        QCOMPARE(ReadRegString(Key, QStringLiteral("S"), QStringLiteral("def")), QString());
        // ... while integers and booleans still take theirs.
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("I"), 77), 77);
        QCOMPARE(ReadRegBool(Key, QStringLiteral("B"), true), true);
    }

    void wrongTypeGivesDefault() {
        TestEnv env;
        WriteRegString(Key, QStringLiteral("Text"), QStringLiteral("12"));
        WriteRegInteger(Key, QStringLiteral("Number"), 12);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("Text"), 5), 5);
        QCOMPARE(ReadRegBool(Key, QStringLiteral("Text"), true), true);
        QCOMPARE(ReadRegString(Key, QStringLiteral("Number"), QStringLiteral("d")),
                 QStringLiteral("d"));
    }

    void foreignTypeGivesDefault() {
        TestEnv env;
        env.writeFile(QStringLiteral("store/quill-store.json"), R"({"keys": {"Test": {"values": {
            "Bin": {"type": "binary", "data": "AAEC"},
            "Neg": {"type": "dword", "data": -4},
            "Frac": {"type": "dword", "data": 1.5},
            "Loose": {"type": "string", "data": 7}}}}})");
        const QString key = QStringLiteral("\\Test");
        QCOMPARE(ReadRegString(key, QStringLiteral("Bin"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ReadRegInteger(key, QStringLiteral("Neg"), 9), 9);
        QCOMPARE(ReadRegInteger(key, QStringLiteral("Frac"), 9), 9);
        QCOMPARE(ReadRegString(key, QStringLiteral("Loose"), QStringLiteral("d")),
                 QStringLiteral("d"));
    }

    void booleanFromAnyNonZeroDword() {
        TestEnv env;
        WriteRegInteger(Key, QStringLiteral("Flag"), 5);
        QCOMPARE(ReadRegBool(Key, QStringLiteral("Flag"), false), true);
        WriteRegBool(Key, QStringLiteral("Flag"), ReadRegBool(Key, QStringLiteral("Flag"), false));
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("Flag"), -1), 1);
        WriteRegBool(Key, QStringLiteral("Flag"), false);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("Flag"), -1), 0);
    }

    void dwordKeepsAll32Bits() {
        TestEnv env;
        WriteRegInteger(Key, QStringLiteral("Minus"), -1);
        WriteRegInteger(Key, QStringLiteral("Low"), std::numeric_limits<int>::min());
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("Minus"), 0), -1);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("Low"), 0), std::numeric_limits<int>::min());
        QCOMPARE(quint32(ReadRegInteger(Key, QStringLiteral("Minus"), 0)), 0xFFFFFFFFu);
    }

    void valuesSurviveTheFile() {
        TestEnv env;
        const QString text = QStringLiteral("C:\\Pfad \"mit\" Ümlaut\r\nund Zeile\t\u20ac");
        WriteRegString(Key, QStringLiteral("Text"), text);
        WriteRegString(Key, QStringLiteral("Leer"), QString());
        WriteRegInteger(Key, QStringLiteral("Alle"), -1);
        WriteRegInteger(Key, QStringLiteral("Null"), 0);
        // A second store parses the file afresh.
        RegistryStore fresh(RegistryStore::defaultFileName());
        RegistryStore::ReadResult r = fresh.read(Key, QStringLiteral("Text"));
        QCOMPARE(r.status, RegistryStore::ReadStatus::String);
        QCOMPARE(r.text, text);
        r = fresh.read(Key, QStringLiteral("Leer"));
        QCOMPARE(r.status, RegistryStore::ReadStatus::String);
        QCOMPARE(r.text, QString());
        r = fresh.read(Key, QStringLiteral("Alle"));
        QCOMPARE(r.status, RegistryStore::ReadStatus::Dword);
        QCOMPARE(r.dword, 0xFFFFFFFFu);
        r = fresh.read(Key, QStringLiteral("Null"));
        QCOMPARE(r.status, RegistryStore::ReadStatus::Dword);
        QCOMPARE(r.dword, 0u);
        QCOMPARE(fresh.read(Key, QStringLiteral("Fehlt")).status,
                 RegistryStore::ReadStatus::ValueMissing);
        QCOMPARE(fresh.read(OtherKey, QStringLiteral("Text")).status,
                 RegistryStore::ReadStatus::KeyMissing);
    }

    void namesIgnoreCaseAndKeepTheirSpelling() {
        TestEnv env;
        WriteRegString(QStringLiteral("\\Software\\Quendal\\Editor"), QStringLiteral("FontName"),
                       QStringLiteral("Courier New"));
        QCOMPARE(ReadRegString(QStringLiteral("\\SOFTWARE\\QUENDAL\\EDITOR"),
                               QStringLiteral("fontname"), QString()),
                 QStringLiteral("Courier New"));
        WriteRegString(QStringLiteral("\\SOFTWARE\\quendal\\editor"), QStringLiteral("FONTNAME"),
                       QStringLiteral("Arial"));
        const QJsonObject root = storeJson();
        const QJsonObject editor =
            root["keys"]["Software"]["keys"]["Quendal"]["keys"]["Editor"].toObject();
        QCOMPARE(editor["values"].toObject().keys(), QStringList{QStringLiteral("FontName")});
        QCOMPARE(editor["values"]["FontName"]["data"].toString(), QStringLiteral("Arial"));
    }

    void writeFailureNamesTheValue() {
        TestEnv env;
        // A regular file where the store's folder should be: nothing can be written there.
        const QString blocker = env.writeFile(QStringLiteral("blocker"), "x");
        qputenv("QUILL_STORE_FILE", QFile::encodeName(blocker + QStringLiteral("/s.json")));
        for (int kind = 0; kind < 3; ++kind) {
            try {
                if (kind == 0)
                    WriteRegInteger(Key, QStringLiteral("Zahl"), 1);
                else if (kind == 1)
                    WriteRegBool(Key, QStringLiteral("Zahl"), true);
                else
                    WriteRegString(Key, QStringLiteral("Zahl"), QStringLiteral("x"));
                QFAIL("no error raised");
            } catch (const QuillError &error) {
                QCOMPARE(error.message(),
                         QStringLiteral("Fehler beim Setzen der Daten für 'Zahl'"));
            }
        }
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("Zahl"), 4), 4);
    }

    void refusedSaveKeepsPreviousContent() {
        TestEnv env;
        WriteRegInteger(Key, QStringLiteral("A"), 1);
        RegistryStore::setBeforeCommitHookForTesting([] { return false; });
        QVERIFY_THROWS_EXCEPTION(QuillError, WriteRegInteger(Key, QStringLiteral("A"), 2));
        RegistryStore::setBeforeCommitHookForTesting({});
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("A"), 0), 1);
    }

    void unchangedValueLeavesTheFileAlone() {
        TestEnv env;
        WriteRegInteger(Key, QStringLiteral("A"), 1);
        WriteRegString(Key, QStringLiteral("B"), QStringLiteral("x"));
        int saves = 0;
        RegistryStore::setBeforeCommitHookForTesting([&] { return ++saves > 0; });
        WriteRegInteger(Key, QStringLiteral("a"), 1);
        WriteRegBool(Key, QStringLiteral("A"), true);
        WriteRegString(Key, QStringLiteral("B"), QStringLiteral("x"));
        QCOMPARE(saves, 0);
        WriteRegString(Key, QStringLiteral("A"), QStringLiteral("1")); // another type
        WriteRegString(Key, QStringLiteral("B"), QStringLiteral("X"));
        QCOMPARE(saves, 2);
        RegistryStore::setBeforeCommitHookForTesting({});
        QCOMPARE(ReadRegString(Key, QStringLiteral("A"), QString()), QStringLiteral("1"));
    }

    void brokenFileIsMovedAsideOnce() {
        TestEnv env;
        RecordingUi ui;
        const QByteArray garbage = "{\"keys\": {\"Test\": ";
        const QString store = env.writeFile(QStringLiteral("store/quill-store.json"), garbage);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("A"), 3), 3);
        QCOMPARE(ReadRegString(Key, QStringLiteral("B"), QStringLiteral("d")), QStringLiteral("d"));
        // The store shows nothing itself; its notice is handed out once.
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(
            TakeRegNotice().contains(QDir::toNativeSeparators(store) + QStringLiteral(".defekt")));
        QVERIFY(TakeRegNotice().isEmpty());
        QFile aside(store + QStringLiteral(".defekt"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), garbage);

        // Writing starts a fresh store; a second broken file gets its own name.
        WriteRegInteger(Key, QStringLiteral("A"), 8);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("A"), 3), 8);
        env.writeFile(QStringLiteral("store/quill-store.json"), "nonsense");
        WriteRegInteger(Key, QStringLiteral("B"), 9);
        QVERIFY(!TakeRegNotice().isEmpty());
        QVERIFY(QFile::exists(store + QStringLiteral(".defekt2")));
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("A"), 3), 3);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("B"), 3), 9);
    }

    void interruptedSaveLeavesPreviousContent() {
        TestEnv env;
        WriteRegString(Key, QStringLiteral("Name"), QStringLiteral("before"));
        runChild(QStringLiteral("die-before-rename"), QStringLiteral("after"), 3);
        QCOMPARE(ReadRegString(Key, QStringLiteral("Name"), QString()), QStringLiteral("before"));
        // The lock the dead process left behind does not block the next save.
        WriteRegString(Key, QStringLiteral("Name"), QStringLiteral("next"));
        QCOMPARE(ReadRegString(Key, QStringLiteral("Name"), QString()), QStringLiteral("next"));
    }

    void anotherProcessesWriteIsSeen() {
        TestEnv env;
        WriteRegString(Key, QStringLiteral("Name"), QStringLiteral("mine"));
        QCOMPARE(ReadRegString(Key, QStringLiteral("Name"), QString()), QStringLiteral("mine"));
        runChild(QStringLiteral("write-one"), QStringLiteral("theirs"), 0);
        QCOMPARE(ReadRegString(Key, QStringLiteral("Name"), QString()), QStringLiteral("theirs"));
    }

    void twoProcessesWritingAtOnceKeepAllValues() {
        TestEnv env;
        QProcess *child = startChild(QStringLiteral("write-many"), QStringLiteral("Child"));
        QVERIFY(child->waitForStarted(30000));
        for (int i = 0; i < ManyValues; ++i)
            WriteRegInteger(Key, QStringLiteral("Parent") + QString::number(i), i);
        QVERIFY(child->waitForFinished(60000));
        QCOMPARE(child->exitCode(), 0);
        delete child;
        for (int i = 0; i < ManyValues; ++i) {
            QCOMPARE(ReadRegInteger(Key, QStringLiteral("Parent") + QString::number(i), -1), i);
            QCOMPARE(ReadRegInteger(Key, QStringLiteral("Child") + QString::number(i), -1), i);
        }
    }

    // A batch is one save; a value that cannot be written stops it there, and a store that
    // cannot be written at all names the first value that would have changed it.
    void batchWritesOnceAndStopsAtTheFailingValue() {
        TestEnv env;
        WriteRegInteger(Key, QStringLiteral("Same"), 1);
        int saves = 0;
        RegistryStore::setBeforeCommitHookForTesting([&] { return ++saves > 0; });
        const auto dword = &RegistryStore::ValueWrite::ofDword;
        const RegistryStore::ValueWrite text =
            RegistryStore::ValueWrite::ofString(OtherKey, QStringLiteral("T"), QStringLiteral("x"));
        const QString tooLongKey = QStringLiteral("\\") + QString(256, QLatin1Char('k'));
        const QString tooLongName(16384, QLatin1Char('n'));
        QVERIFY(WriteRegValues({dword(Key, QStringLiteral("Same"), 1),
                                dword(tooLongKey, QStringLiteral("Skipped"), 1),
                                dword(Key, QStringLiteral("A"), 2), text,
                                dword(Key, tooLongName, 3), dword(Key, QStringLiteral("B"), 4)})
                    .message ==
                QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(tooLongName));
        QCOMPARE(saves, 1);
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("A"), 0), 2);
        QCOMPARE(ReadRegString(OtherKey, QStringLiteral("T"), QString()), QStringLiteral("x"));
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("B"), 0), 0);

        RegistryStore::setBeforeCommitHookForTesting([] { return false; });
        const StoreProblem problem = WriteRegValues(
            {dword(Key, QStringLiteral("A"), 2), dword(Key, QStringLiteral("B"), 5)});
        RegistryStore::setBeforeCommitHookForTesting({});
        QCOMPARE(problem.message, QStringLiteral("Fehler beim Setzen der Daten für 'B'"));
        QVERIFY(!problem.reason.isEmpty());
        QCOMPARE(ReadRegInteger(Key, QStringLiteral("B"), 0), 0);

        const QString blocker = env.writeFile(QStringLiteral("blocker"), "x");
        qputenv("QUILL_STORE_FILE", QFile::encodeName(blocker + QStringLiteral("/s.json")));
        const StoreProblem blocked = WriteRegValues({dword(Key, QStringLiteral("A"), 1)});
        QCOMPARE(blocked.message, QStringLiteral("Fehler beim Setzen der Daten für 'A'"));
        QCOMPARE(blocked.reason, QStringLiteral("%1 ist eine Datei, kein Ordner.")
                                     .arg(QDir::toNativeSeparators(blocker)));
        QVERIFY(WriteRegValues({}).isEmpty());
    }

    void keyExistsAfterWritingBelowIt() {
        TestEnv env;
        RegistryStore store(RegistryStore::defaultFileName());
        QVERIFY(!store.keyExists(QStringLiteral("\\SOFTWARE")));
        QCOMPARE(store.writeString(Key, QStringLiteral("V"), QStringLiteral("x")),
                 RegistryStore::WriteStatus::Written);
        QVERIFY(store.keyExists(QStringLiteral("\\software")));
        QVERIFY(store.keyExists(Key));
        QVERIFY(!store.keyExists(OtherKey));
        // A key name longer than the registry allows is skipped without an error.
        const QString tooLong = QStringLiteral("\\") + QString(256, QLatin1Char('k'));
        QCOMPARE(store.writeDword(tooLong, QStringLiteral("V"), 1),
                 RegistryStore::WriteStatus::KeyFailed);
        WriteRegInteger(tooLong, QStringLiteral("V"), 1);
        QCOMPARE(ReadRegInteger(tooLong, QStringLiteral("V"), 6), 6);
    }
};

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0)
        return childMain(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestRegistry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_registry.moc"
