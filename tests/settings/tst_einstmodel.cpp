#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/DialogResult.h"
#include "common/Registry.h"
#include "common/RegistryStore.h"
#include "common/StoreWarning.h"
#include "settings/EinstModel.h"
#include "settings/HelpContext.h"
#include "settings/Settings.h"
#include "settings/ShortkeyModel.h"

#include <QFile>
#include <QtTest>

namespace {

void setStartSettings() {
    SetDefaultSettings(QStringLiteral("MS Sans Serif"), 10, QString());
    Settings::MainfensterImmerMaximal = false;
    Settings::FensterImmerMaximal = false;
    Settings::ImmerSicherheitsabfrage = false;
}

// Everything TFEinst can change, as one comparable row.
QStringList settingsSnapshot() {
    using namespace Settings;
    QStringList row;
    row << TastencodeCompiler << TastencodeRun << QString::number(AutoSave)
        << QString::number(InEditMitTabs) << QString::number(AutomatischEinruecken)
        << QString::number(TabBreite) << QString::number(SucheAmAktuellenCursor) << Compiler
        << CompilerParameter << Run << RunParameter << QString::number(MainfensterImmerMaximal)
        << QString::number(ImmerSicherheitsabfrage) << QString::number(FensterImmerMaximal)
        << QString::number(ParameterValue) << QString::number(UndoMitKeyUp)
        << QString::number(UndoTimerIntervall) << QString::number(Color0) << QString::number(Color1)
        << QString::number(Color2) << QString::number(Color3)
        << QString::number(FehlerBeimSchreibenMarkieren);
    return row;
}

} // namespace

class TestEinstModel : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        resetStoreWarningForTesting();
        setStartSettings();
        DialogResultText().clear(); // as the callers of the settings dialogs do
    }
    void cleanup() {
        RegistryStore::setBeforeCommitHookForTesting({});
        m_ui.reset();
        m_env.reset();
    }

    // Init shows every setting; "&Ok" copies every control back and saves once.
    void initAndConfirmCopyEverySetting() {
        using namespace Settings;
        TabBreite = 4;
        Color2 = 0x123456;
        AutoSave = false;
        FensterImmerMaximal = true;
        Compiler = QStringLiteral("/opt/jdk/bin/javac");
        TastencodeRun = QStringLiteral("Strg+R");
        ParameterValue = false;
        EinstModel model;
        model.Init();
        QVERIFY(model.cancelled());
        QCOMPARE(model.tab(), EinstTab::Allgemein);
        QCOMPARE(model.values.tabBreite, 4);
        QCOMPARE(model.values.colors[2], 0x123456u);
        QCOMPARE(model.values.bakDatei, false);
        QCOMPARE(model.values.fensterMaximal, true);
        QCOMPARE(model.values.compiler, QStringLiteral("/opt/jdk/bin/javac"));
        QCOMPARE(model.values.keyCompiler, QStringLiteral("F8"));
        QCOMPARE(model.values.keyRun, QStringLiteral("Strg+R"));
        QCOMPARE(model.values.rValue, false);
        QCOMPARE(model.values.fehlerMarkieren, true);
        QCOMPARE(model.fontGroup(), FontGroup::Editor);

        EinstValues &v = model.values;
        v.keyCompiler = QStringLiteral("F5");
        v.bakDatei = true;
        v.inEditMitTabs = true;
        v.automatischEinruecken = false;
        v.tabBreite = -3;
        v.sucheAmAktuellenCursor = true;
        v.compiler.clear();
        v.compilerParameter = QStringLiteral("-g");
        v.run.clear();
        v.runParameter = QStringLiteral("-ea");
        v.mainFensterMaximal = true;
        v.immerSicherheitsabfrage = true;
        v.rValue = true;
        v.colors = {1, 2, 3, 4};
        v.fehlerMarkieren = false;
        int saves = 0;
        RegistryStore::setBeforeCommitHookForTesting([&] { return ++saves > 0; });
        DialogResultText().clear();
        model.BnOkayClick();
        model.FormCloseQuery();
        QCOMPARE(DialogResultText(), QStringLiteral("Okay"));
        QCOMPARE(saves, 1);
        QCOMPARE(settingsSnapshot(),
                 (QStringList{"F5", "Strg+R", "1", "1", "0", "-3", "1", "",  "-g", "",  "-ea",
                              "1",  "1",      "1", "1", "1", "10", "1", "2", "3",  "4", "0"}));
        QVERIFY(m_ui->boxes.isEmpty()); // empty paths give no notice
        RegistryStore store(RegistryStore::defaultFileName());
        QCOMPARE(
            store.read(RootKey + QStringLiteral("\\Tastencode"), QStringLiteral("Compiler")).text,
            QStringLiteral("F5"));
        FehlerBeimSchreibenMarkieren = true;
    }

    // "Abbruch" (or Esc, or the close box) takes nothing over and writes nothing; a font
    // changed meanwhile stays changed in memory only.
    void abortWritesNothing() {
        EinstModel model;
        model.Init();
        const QStringList before = settingsSnapshot();
        model.values.keyCompiler = QStringLiteral("F2");
        model.values.colors = {9, 9, 9, 9};
        model.values.undoMitTasten = false;
        FontChoice chosen{QStringLiteral("Liberation Mono"), 14};
        m_ui->fontAnswers.enqueue(chosen);
        QVERIFY(model.BnAendernSchriftClick());
        m_ui->colorAnswers.enqueue(0x00FF00);
        QVERIFY(model.BnPanelFarbeClick(0));
        model.BnAbbruchClick();
        model.FormCloseQuery();
        QCOMPARE(settingsSnapshot(), before);
        QCOMPARE(Settings::EditorSchriftName, QStringLiteral("Liberation Mono"));
        QCOMPARE(Settings::EditorSchriftGroesse, qint16(14));
        QVERIFY(!QFile::exists(RegistryStore::defaultFileName()));
        QVERIFY(DialogResultText().isEmpty());
    }

    void undoIntervalRules_data() {
        QTest::addColumn<bool>("keyUp");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("chooseTimer");
        QTest::addColumn<bool>("keyUpAfter");
        QTest::addColumn<int>("storedAfter");
        // key mode: the spin box keeps its design value 2 and stays disabled
        QTest::newRow("key mode, timer chosen") << true << 10 << 2 << false << true << false << 2;
        QTest::newRow("key mode kept") << true << 30 << 2 << false << false << true << 30;
        QTest::newRow("timer 1 shows 2") << false << 1 << 2 << true << true << false << 2;
        QTest::newRow("timer 5000 shows 1000")
            << false << 5000 << 1000 << true << true << false << 1000;
        QTest::newRow("timer 25") << false << 25 << 25 << true << true << false << 25;
        QTest::newRow("timer, keys chosen") << false << 25 << 25 << true << false << true << 25;
    }

    void undoIntervalRules() {
        QFETCH(bool, keyUp);
        QFETCH(int, stored);
        Settings::UndoMitKeyUp = keyUp;
        Settings::UndoTimerIntervall = stored;
        EinstModel model;
        model.Init();
        QTEST(model.values.undoIntervall, "shown");
        QTEST(model.values.undoIntervallEnabled, "enabled");
        QCOMPARE(model.values.undoMitTasten, keyUp);
        QFETCH(bool, chooseTimer);
        model.values.undoMitTasten = !chooseTimer;
        model.BnOkayClick();
        model.FormCloseQuery();
        QTEST(Settings::UndoMitKeyUp, "keyUpAfter");
        QTEST(Settings::UndoTimerIntervall, "storedAfter");
    }

    void onlyPlainBoldIsStoredAsBold_data() {
        QTest::addColumn<bool>("editorGroup");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("bold");
        QTest::newRow("editor bold") << true << false << false << true;
        QTest::newRow("editor bold italic") << true << true << false << false;
        QTest::newRow("error bold underlined") << false << false << true << false;
        QTest::newRow("error bold") << false << false << false << true;
    }

    void onlyPlainBoldIsStoredAsBold() {
        QFETCH(bool, editorGroup);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        EinstModel model;
        model.Init();
        model.selectFontGroup(editorGroup ? FontGroup::Editor : FontGroup::Error);
        FontChoice chosen{
            QStringLiteral("Courier New"), 12, true, italic, underline, false, 0x0000FF};
        m_ui->fontAnswers.enqueue(chosen);
        QVERIFY(model.BnAendernSchriftClick());
        const FontChoice sample = model.sampleFont();
        QCOMPARE(sample.name, QStringLiteral("Courier New"));
        QCOMPARE(sample.size, 12);
        QCOMPARE(sample.color, 0x0000FFu);
        QTEST(sample.bold, "bold");
        QTEST(editorGroup ? Settings::EditorSchriftBold : Settings::ErrorSchriftBold, "bold");
        // The other group is untouched.
        QCOMPARE(editorGroup ? Settings::ErrorSchriftName : Settings::EditorSchriftName,
                 QStringLiteral("MS Sans Serif"));
    }

    void helpContextFollowsTheTabs() {
        EinstModel model;
        model.Init();
        QCOMPARE(model.helpContext(), 10500);
        model.MainTabChange(EinstTab::Schriften);
        QCOMPARE(model.helpContext(), 10600);
        model.MainTabChange(EinstTab::CompilerRun);
        model.MainTabChange(EinstTab::Experte);
        QCOMPARE(model.helpContext(), 10700);
        model.MainTabChange(EinstTab::Editorfarben);
        QCOMPARE(model.helpContext(), 10700);
        model.MainTabChange(EinstTab::Allgemein);
        QCOMPARE(model.helpContext(), 10500);
        model.MainTabChange(EinstTab::Schriften);
        model.Init(); // a new opening starts at 10500 again
        QCOMPARE(model.helpContext(), 10500);
        QCOMPARE(helpUrl(10600).fragment(), QStringLiteral("kontext10600"));
    }

    // The program dialog; a path that cannot be started is stored with a notice.
    void programSearchAndPathNotice() {
        EinstModel model;
        model.InitProg();
        const QString javac = m_env->writeFile(QStringLiteral("jdk/javac"), "#!/bin/sh\n");
        QFile::setPermissions(javac, QFile::permissions(javac) | QFileDevice::ExeOwner);
        m_ui->openAnswers.enqueue({javac});
        QVERIFY(model.BnCompilerSearchClick());
        QVERIFY(!model.BnLinkerSearchClick()); // cancelled: the field stays
        const FileDialogRequest &request = m_ui->openRequests.first();
        QCOMPARE(request.title, QStringLiteral("Compiler einstellen"));
        QCOMPARE(request.selectedFilter, 0);
        QVERIFY(!request.filters.isEmpty());
        QCOMPARE(model.values.compiler, javac);
        model.values.run = m_env->path(QStringLiteral("jdk/java"));
        model.BnOkayClick();
        model.FormCloseQuery();
        QCOMPARE(Settings::Compiler, javac);
        QCOMPARE(Settings::Run, model.values.run);
        QCOMPARE(m_ui->texts(),
                 QStringList{QStringLiteral("Die Laufzeitumgebung \"%1\" existiert nicht oder ist "
                                            "nicht ausführbar.\r\nDie Angaben werden trotzdem "
                                            "gespeichert.")
                                 .arg(model.values.run)});
        // Empty fields are stored empty, so the next start looks for the tools again.
        model.InitProg();
        model.values.compiler.clear();
        model.values.run.clear();
        model.BnOkayClick();
        model.FormCloseQuery();
        QVERIFY(Settings::Compiler.isEmpty() && Settings::Run.isEmpty());
        QVERIFY(ReadRegString(Settings::RootKey + QStringLiteral("\\Programme"),
                              QStringLiteral("Compiler"), QStringLiteral("x"))
                    .isEmpty());
    }

    void shortkeyResults() {
        DialogResultText() = QStringLiteral("Okay");
        ShortkeyModel atOnce;
        QVERIFY(DialogResultText().isEmpty()); // creation empties the result
        QCOMPARE(atOnce.entries().size(), 26);
        QCOMPARE(atOnce.entries().last(), QStringLiteral("Strg+Z"));
        atOnce.BnOkayClick();
        QCOMPARE(DialogResultText(), QStringLiteral("Strg+A"));

        ShortkeyModel functionKeys;
        functionKeys.RF1F12Click();
        const QStringList keys = functionKeys.entries();
        QCOMPARE(keys.size(), 48);
        QCOMPARE(keys.mid(10, 3), (QStringList{"F11", "F12", "Strg+F1"}));
        QCOMPARE(keys.at(24), QStringLiteral("Umsch+F1"));
        QCOMPARE(keys.at(36), QStringLiteral("Umsch+Strg+F1"));
        QCOMPARE(functionKeys.selected(), 0);
        functionKeys.select(47);
        functionKeys.BnOkayClick();
        QCOMPARE(DialogResultText(), QStringLiteral("Umsch+Strg+F12"));

        // The settings dialog takes a result over, and keeps its key for an empty one.
        EinstModel einst;
        einst.Init();
        einst.takeShortkey(true);
        QCOMPARE(einst.values.keyCompiler, QStringLiteral("Umsch+Strg+F12"));
        ShortkeyModel empty;
        empty.RLeerClick();
        QVERIFY(!empty.listEnabled());
        QVERIFY(empty.entries().isEmpty());
        empty.BnOkayClick();
        QVERIFY(DialogResultText().isEmpty());
        einst.takeShortkey(true);
        QCOMPARE(einst.values.keyCompiler, QStringLiteral("Umsch+Strg+F12"));
        ShortkeyModel cancelled;
        cancelled.BnAbbruchClick();
        QVERIFY(DialogResultText().isEmpty());
    }

    // The font dialog has no colour: "Farbe ..." sets the colour of the selected group.
    void fontColourOfEachGroup() {
        Settings::EditorSchriftFarbe = 0x112233;
        EinstModel model;
        model.Init();
        m_ui->colorAnswers << 0x0000FFu;
        QVERIFY(model.BnSchriftFarbeClick());
        QCOMPARE(m_ui->colorInitials, QList<quint32>{0x112233u});
        QCOMPARE(Settings::EditorSchriftFarbe, 0x0000FFu);
        QCOMPARE(model.sampleFont().color, 0x0000FFu);
        QCOMPARE(Settings::ErrorSchriftFarbe, 0u);

        model.selectFontGroup(FontGroup::Error);
        m_ui->colorAnswers << 0x00FF00u;
        QVERIFY(model.BnSchriftFarbeClick());
        QCOMPARE(Settings::ErrorSchriftFarbe, 0x00FF00u);
        QCOMPARE(Settings::EditorSchriftFarbe, 0x0000FFu);
        QVERIFY(!model.BnSchriftFarbeClick()); // cancelled: the colour stays
        QCOMPARE(Settings::ErrorSchriftFarbe, 0x00FF00u);
    }

    // A shortcut chosen with "&Ok" leaves its text in the shared result; "Abbruch" of the
    // settings dialog must not look confirmed because of it.
    void abortAfterAChosenShortcutIsNoConfirmation() {
        const QStringList before = settingsSnapshot();
        EinstModel einst;
        einst.Init();
        ShortkeyModel shortkey;
        shortkey.select(4);
        QVERIFY(shortkey.BnOkayClick());
        einst.takeShortkey(true);
        QCOMPARE(einst.values.keyCompiler, QStringLiteral("Strg+E"));
        einst.BnAbbruchClick();
        einst.FormCloseQuery();
        QVERIFY(DialogResultText().isEmpty());
        QCOMPARE(settingsSnapshot(), before);
    }

    // Keys that a command has are marked; taking one needs a yes.
    void shortkeyMarksAndAsksForKeysInUse() {
        ShortkeyModel model;
        model.setKeysInUse({{"Strg+S", "&Speichern..."},
                            {"Strg+E", "Suchen && &Ersetzen"},
                            {"F3", "&Weitersuchen"},
                            {"Strg+S", "Syso"}});
        const QStringList shown = model.shownEntries();
        QCOMPARE(shown.size(), 26);
        QCOMPARE(shown.at(0), QStringLiteral("Strg+A"));
        QCOMPARE(shown.at(4), QStringLiteral("Strg+E (Suchen & Ersetzen)"));
        QCOMPARE(shown.at(18), QStringLiteral("Strg+S (Speichern)"));
        QCOMPARE(model.entries().at(18), QStringLiteral("Strg+S"));
        model.RF1F12Click();
        QCOMPARE(model.shownEntries().at(2), QStringLiteral("F3 (Weitersuchen)"));
        QCOMPARE(model.shownEntries().at(14), QStringLiteral("Strg+F3"));

        // A free key is taken without a question.
        model.select(1);
        QVERIFY(model.BnOkayClick());
        QCOMPARE(DialogResultText(), QStringLiteral("F2"));
        QVERIFY(m_ui->boxes.isEmpty());

        // "Nein": nothing chosen, the dialog stays open.
        model.select(2);
        m_ui->boxAnswers << MsgButton::No;
        QVERIFY(!model.BnOkayClick());
        QVERIFY(DialogResultText().isEmpty());
        QCOMPARE(m_ui->boxes.size(), 1);
        QCOMPARE(m_ui->boxes[0].icon, MsgIcon::Question);
        QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Eingabe eines Shotkeys"));
        QCOMPARE(m_ui->boxes[0].buttons, (QList<MsgButton>{MsgButton::Yes, MsgButton::No}));
        QCOMPARE(m_ui->boxes[0].text,
                 QStringLiteral("F3 gehört schon zum Befehl \"Weitersuchen\".\r\nSoll die Taste "
                                "trotzdem übernommen werden? \"Weitersuchen\" ist dann nur noch "
                                "über das Menü zu erreichen."));
        // "Ja": the key is taken.
        m_ui->boxAnswers << MsgButton::Yes;
        QVERIFY(model.BnOkayClick());
        QCOMPARE(DialogResultText(), QStringLiteral("F3"));
    }

    // The shortcut dialog of one build command marks the other one's key first; taking it
    // leaves the other command without a key.
    void buildKeysExcludeEachOther() {
        EinstModel model;
        model.setKeysInUse({{"F9", "Something"}, {"Strg+S", "&Speichern..."}});
        model.Init();
        QCOMPARE(model.keysInUseFor(true), (QList<KeyInUse>{{"F9", "Programm starten"},
                                                            {"F9", "Something"},
                                                            {"Strg+S", "&Speichern..."}}));
        QCOMPARE(model.keysInUseFor(false).first(), (KeyInUse{"F8", "Compiler starten"}));
        DialogResultText() = QStringLiteral("F9");
        model.takeShortkey(true);
        QCOMPARE(model.values.keyCompiler, QStringLiteral("F9"));
        QVERIFY(model.values.keyRun.isEmpty());
        QCOMPARE(model.keysInUseFor(true).size(), 2);
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
};

QTEST_GUILESS_MAIN(TestEinstModel)
#include "tst_einstmodel.moc"
