#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/DialogResult.h"
#include "common/ProgramDir.h"
#include "common/Registry.h"
#include "common/RegistryStore.h"
#include "common/StoreWarning.h"
#include "settings/HelpContext.h"
#include "settings/HelpWindow.h"
#include "settings/Settings.h"
#include "settings/SettingsCommands.h"
#include "settings/TFEinst.h"
#include "settings/TFEinstProg.h"
#include "settings/TFShortkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

namespace {

// Runs `action` on the modal dialog of type T as soon as it shows.
template <typename T, typename Action> void whenShown(Action action) {
    QTimer::singleShot(0, [action] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<T *>(widget); dialog && dialog->isVisible()) {
                action(dialog);
                return;
            }
        }
        QFAIL("no dialog shown");
    });
}

QAbstractButton *buttonOf(QWidget *dialog, const char *name) {
    return dialog->findChild<QAbstractButton *>(QLatin1String(name));
}

} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        resetStoreWarningForTesting();
        SetDefaultSettings(QStringLiteral("MS Sans Serif"), 10, QString());
        Settings::HelpFileName.clear();
    }
    void cleanup() {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<HelpWindow *>(widget))
                delete widget;
        m_ui.reset();
        m_env.reset();
    }

    // Every control of the seven tabs with its caption, typing errors included.
    void einstShowsEveryControl() {
        TFEinst dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Einstellungen"));
        QStringList tabs;
        for (int i = 0; i < dialog.MainTab()->count(); ++i)
            tabs << dialog.MainTab()->tabText(i);
        QCOMPARE(tabs, (QStringList{"Allgemein", "Schriften", "Compiler / Run", "Tastencode",
                                    "Experte", "Undo / Redo", "Editorfarben"}));
        const QList<QPair<const char *, QString>> captions = {
            {"CMainFensterMaximal", "Mainfenster immer maximal"},
            {"CImmerSicherheitsabfrage", "Immer eine Sicherheitsabfrage beim Schließen"},
            {"CSucheAmAktuellenCursor", "Suche am aktuellen Cursor"},
            {"CFensterMaximal", "Fenster immer maximal"},
            {"CInEditMitTabs", "In den Editoren mit Tab´s"},
            {"CAutomatischEinruecken", "Automatisch einrücken"},
            {"CBakDatei", "Sicherheitsdatei beim Sichern erstellen (*.BAK)"},
            {"CFehlerBeimSchreibenMarkieren", "Fehler beim Schreiben markieren"},
            {"RTabellenschrift", "Editorschrift"},
            {"RDruckerSchrift", "ErrorSchrift"},
            {"BnAendernSchrift", "&Ändern"},
            {"BnCompilerSearch", "&Open"},
            {"BnLinkerSearch", "&Open"},
            {"BnCompile", "Ändern"},
            {"BnRun", "Ändern"},
            {"RValue", "Parametername  st Value (x = value)"},
            {"RThisX", "Parametername ist Attribut  (this.x = x;)"},
            {"RUndoMitTasten", "Undo jeweils bei einem Tastendruck"},
            {"RUndoMitTimer", "Undo mit festem Intervall"},
            {"BnPanelFarbe0", "&1"},
            {"BnPanelFarbe3", "&4"},
            {"BnOkay", "&Ok"},
            {"BnAbbruch", "Abbruch"},
            {"BnHilfe", "&Hilfe"},
        };
        for (const auto &[name, caption] : captions) {
            QAbstractButton *button = buttonOf(&dialog, name);
            QVERIFY2(button, name);
            QCOMPARE(button->text(), caption);
        }
        for (const char *name :
             {"ECompiler", "ECompilerParameter", "ERun", "ERunParameter", "EKeyCompiler", "EKeyRun",
              "ETabBreite", "spUndoIntervall", "LSchriftname", "LSchriftgroesse",
              "LSchriftbeispiel", "ColorPanel0", "ColorPanel3"})
            QVERIFY2(dialog.findChild<QWidget *>(QLatin1String(name)), name);
        QVERIFY(dialog.findChild<QSpinBox *>("ETabBreite")->isHidden());
        QVERIFY(dialog.findChild<QLineEdit *>("EKeyRun")->isReadOnly());
        QStringList texts;
        for (QLabel *label : dialog.findChildren<QLabel *>())
            texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("In diesem Dialogfenster können Sie bestimmen, wie "
                                              "das Program mdie Undo-Funktion benutzt. Zum einen "
                                              "bei jedem Tastendruck oder jeweils alle 5 "
                                              "Sekunden. Ist der Inhalt gleich, wird kein "
                                              "weiteres \"Backup\" gemacht")));
        QVERIFY(dialog.findChild<QAbstractButton *>("BnOkay")->property("default").toBool());
    }

    // The close box and "Abbruch" take nothing over; "&Ok" saves what the controls show.
    void einstClosesAsTheUserChose() {
        Settings::UndoMitKeyUp = false;
        Settings::UndoTimerIntervall = 1;
        whenShown<TFEinst>([](TFEinst *dialog) {
            QCOMPARE(dialog->findChild<QSpinBox *>("spUndoIntervall")->value(), 2);
            QVERIFY(dialog->findChild<QSpinBox *>("spUndoIntervall")->isEnabled());
            dialog->findChild<QLineEdit *>("ECompilerParameter")->setText("-g");
            dialog->close();
        });
        QVERIFY(!ShowEinstDialog(nullptr));
        QVERIFY(Settings::CompilerParameter.isEmpty());
        QVERIFY(!QFile::exists(RegistryStore::defaultFileName()));

        whenShown<TFEinst>([](TFEinst *dialog) {
            dialog->findChild<QLineEdit *>("ECompilerParameter")->setText("-g");
            buttonOf(dialog, "BnAbbruch")->click();
        });
        QVERIFY(!ShowEinstDialog(nullptr));
        QVERIFY(!QFile::exists(RegistryStore::defaultFileName()));

        whenShown<TFEinst>([](TFEinst *dialog) {
            dialog->findChild<QLineEdit *>("ECompilerParameter")->setText("-g");
            buttonOf(dialog, "RValue")->click();
            buttonOf(dialog, "BnOkay")->click();
        });
        QVERIFY(ShowEinstDialog(nullptr));
        QCOMPARE(Settings::CompilerParameter, QStringLiteral("-g"));
        QCOMPARE(Settings::UndoTimerIntervall, 2);
        QCOMPARE(ReadRegString(Settings::RootKey + QStringLiteral("\\Programme"),
                               QStringLiteral("CompilerParameter"), QString()),
                 QStringLiteral("-g"));
    }

    // "Ändern" on "Tastencode" opens the shortcut dialog; its result lands in the field.
    void shortkeyDialogFromTheSettings() {
        whenShown<TFEinst>([](TFEinst *dialog) {
            whenShown<TFShortkey>([](TFShortkey *shortkey) {
                QCOMPARE(shortkey->windowTitle(), QStringLiteral("Eingabe eines Shotkeys"));
                QCOMPARE(buttonOf(shortkey, "Raz")->text(),
                         QStringLiteral("A-Z  ( Strg, Umsch, Strg+Umsch)"));
                buttonOf(shortkey, "RF1F12")->click();
                QCOMPARE(shortkey->CListe()->count(), 48);
                shortkey->CListe()->setCurrentIndex(4);
                buttonOf(shortkey, "BnOkay")->click();
            });
            buttonOf(dialog, "BnCompile")->click();
            QCOMPARE(dialog->findChild<QLineEdit *>("EKeyCompiler")->text(), QStringLiteral("F5"));
            whenShown<TFShortkey>([](TFShortkey *shortkey) {
                buttonOf(shortkey, "RLeer")->click();
                QVERIFY(!shortkey->CListe()->isEnabled());
                buttonOf(shortkey, "BnOkay")->click();
            });
            buttonOf(dialog, "BnRun")->click();
            QCOMPARE(dialog->findChild<QLineEdit *>("EKeyRun")->text(), QStringLiteral("F9"));
            buttonOf(dialog, "BnOkay")->click();
        });
        QVERIFY(ShowEinstDialog(nullptr));
        QCOMPARE(Settings::TastencodeCompiler, QStringLiteral("F5"));
        QCOMPARE(Settings::TastencodeRun, QStringLiteral("F9"));
    }

    // "Abbruch" applies nothing, even after "&Ok" in the shortcut dialog.
    void abortAfterTheShortcutDialogAppliesNothing() {
        whenShown<TFEinst>([](TFEinst *dialog) {
            whenShown<TFShortkey>([](TFShortkey *shortkey) {
                shortkey->CListe()->setCurrentIndex(4);
                buttonOf(shortkey, "BnOkay")->click();
            });
            buttonOf(dialog, "BnCompile")->click();
            QCOMPARE(dialog->findChild<QLineEdit *>("EKeyCompiler")->text(),
                     QStringLiteral("Strg+E"));
            buttonOf(dialog, "BnAbbruch")->click();
        });
        QVERIFY(!ShowEinstDialog(nullptr));
        QVERIFY(DialogResultText().isEmpty());
        QCOMPARE(Settings::TastencodeCompiler, QStringLiteral("F8"));
        QVERIFY(!QFile::exists(RegistryStore::defaultFileName()));
    }

    // The shortcut dialog marks a key that a command has and asks before taking it; "Nein"
    // keeps the dialog open for another choice.
    void aKeyInUseIsTakenOnlyAfterAYes() {
        bool stayedOpen = false;
        whenShown<TFEinst>([this, &stayedOpen](TFEinst *dialog) {
            whenShown<TFShortkey>([this, &stayedOpen](TFShortkey *shortkey) {
                QCOMPARE(shortkey->CListe()->itemText(18), QStringLiteral("Strg+S (Speichern)"));
                QCOMPARE(shortkey->CListe()->itemText(17), QStringLiteral("Strg+R"));
                shortkey->CListe()->setCurrentIndex(18);
                m_ui->boxAnswers << MsgButton::No;
                buttonOf(shortkey, "BnOkay")->click();
                stayedOpen = shortkey->isVisible();
                m_ui->boxAnswers << MsgButton::Yes;
                buttonOf(shortkey, "BnOkay")->click();
            });
            buttonOf(dialog, "BnRun")->click();
            QCOMPARE(dialog->findChild<QLineEdit *>("EKeyRun")->text(), QStringLiteral("Strg+S"));
            // For the compile key, the run key is taken now.
            whenShown<TFShortkey>([](TFShortkey *shortkey) {
                QCOMPARE(shortkey->CListe()->itemText(18),
                         QStringLiteral("Strg+S (Programm starten)"));
                buttonOf(shortkey, "BnAbbruch")->click();
            });
            buttonOf(dialog, "BnCompile")->click();
            buttonOf(dialog, "BnOkay")->click();
        });
        QVERIFY(ShowEinstDialog(nullptr, {{"Strg+S", "&Speichern..."}}));
        QVERIFY(stayedOpen);
        QCOMPARE(m_ui->boxes.size(), 2);
        QCOMPARE(m_ui->boxes[0].icon, MsgIcon::Question);
        QCOMPARE(Settings::TastencodeRun, QStringLiteral("Strg+S"));
        QCOMPARE(Settings::TastencodeCompiler, QStringLiteral("F8"));
    }

    // "Farbe ..." beside "&Ändern" changes the colour of the selected font; the sample shows it.
    void fontColourButtonChangesTheSample() {
        m_ui->colorAnswers << 0x0000FFu;
        whenShown<TFEinst>([](TFEinst *dialog) {
            QAbstractButton *colour = buttonOf(dialog, "BnSchriftFarbe");
            QVERIFY(colour);
            QCOMPARE(colour->text(), QStringLiteral("Farbe ..."));
            QCOMPARE(colour->parentWidget(), buttonOf(dialog, "BnAendernSchrift")->parentWidget());
            colour->click();
            QCOMPARE(dialog->findChild<QLabel *>("LSchriftbeispiel")
                         ->palette()
                         .color(QPalette::WindowText),
                     QColor(255, 0, 0));
            buttonOf(dialog, "BnAbbruch")->click();
        });
        QVERIFY(!ShowEinstDialog(nullptr));
        // Like the font, the colour is taken at once; windows follow on "&Ok".
        QCOMPARE(Settings::EditorSchriftFarbe, 0x0000FFu);
    }

    // "&Hilfe" opens the shipped help at the section of the tab.
    void helpOpensAtTheSectionOfTheTab() {
        const QString help = ProgramDir() + QStringLiteral("hilfe/quill.html");
        QVERIFY(QDir().mkpath(ProgramDir() + QStringLiteral("hilfe")));
        QVERIFY(QFile::copy(QStringLiteral(QUILL_HELP_FILE), help));
        whenShown<TFEinst>([](TFEinst *dialog) {
            dialog->MainTab()->setCurrentIndex(1);
            buttonOf(dialog, "BnHilfe")->click();
            auto *window = dialog->findChild<HelpWindow *>();
            QVERIFY(window && window->isVisible());
            QCOMPARE(window->browser()->source().fragment(), QStringLiteral("kontext10600"));
            dialog->MainTab()->setCurrentIndex(2);
            dialog->MainTab()->setCurrentIndex(4);
            buttonOf(dialog, "BnHilfe")->click();
            QCOMPARE(dialog->findChildren<HelpWindow *>().size(), 1);
            buttonOf(dialog, "BnAbbruch")->click();
        });
        ShowEinstDialog(nullptr);
        QVERIFY(m_ui->boxes.isEmpty());

        // Every context has its section, and the window scrolls to it.
        ShowHelp(10700);
        HelpWindow *window = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *candidate = qobject_cast<HelpWindow *>(widget))
                window = candidate;
        QVERIFY(window);
        const QString html = window->browser()->toHtml();
        for (int context : {10500, 10600, 10700})
            QVERIFY(html.contains(helpAnchor(context)));
        QCOMPARE(window->browser()->source().fragment(), QStringLiteral("kontext10700"));

        // A missing help file is a German notice, not an empty window.
        QVERIFY(QFile::remove(help));
        ShowHelp(10500);
        QCOMPARE(m_ui->texts(), QStringList{QStringLiteral("Die Hilfedatei %1 wurde nicht "
                                                           "gefunden.")
                                                .arg(QDir::toNativeSeparators(help))});
    }

    void einstProgSavesItsFourFields() {
        Settings::Compiler = QStringLiteral("/alt/javac");
        whenShown<TFEinstProg>([](TFEinstProg *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Einstellungen"));
            QCOMPARE(dialog->findChild<QLineEdit *>("ECompiler")->text(),
                     QStringLiteral("/alt/javac"));
            dialog->findChild<QLineEdit *>("ECompiler")->clear();
            dialog->findChild<QLineEdit *>("ERunParameter")->setText("-ea");
            buttonOf(dialog, "BnOkay")->click();
        });
        QVERIFY(ShowEinstProgDialog(nullptr));
        QVERIFY(Settings::Compiler.isEmpty());
        QCOMPARE(Settings::RunParameter, QStringLiteral("-ea"));
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
};

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"
