// The command tables of the editor window, the frame and the class reference: what they
// promise (captions, distinct keys, the keys the captions show), and that an error in a
// command of any of them, or of a dialog, ends in the general error report, whichever way
// the command was started.
#include "app/FrameCommands.h"
#include "app/FrameMenus.h"
#include "app/TFMain.h"
#include "common/CommandMenus.h"
#include "common/Memo.h"
#include "common/QuillError.h"
#include "common/ShortcutText.h"
#include "editor/EditorMenus.h"
#include "editor/EditorMessage.h"
#include "editor/FindDialog.h"
#include "editor/MDIQuill.h"
#include "javahelp/TFJavaHelp.h"
#include "RecordingUi.h"
#include "settings/TFEinst.h"
#include "TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

// Frame commands whose windows all fail.
class FailingFrameCommands : public FrameCommands {
public:
    TNewFile NewFileWizard() override { throw QuillError(RecordingUi::FailureText()); }
    void SettingsDialog() override { throw QuillError(RecordingUi::FailureText()); }
    void JavaHelp() override { throw QuillError(RecordingUi::FailureText()); }
    void FindJavaTools() override {}
};

// A table of any owner, for the checker's own test.
struct Owner {
    void run() {}
};

template <typename Owner> void checkTable(std::span<const CommandRow<Owner>> rows) {
    const QStringList problems = CommandTableProblems(rows);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

} // namespace

class TestCommandTables : public QObject {
    Q_OBJECT

private slots:
    void theCheckerFindsMissingCaptionsAndSharedKeys() {
        using R = CommandRows<Owner>;
        const CommandRow<Owner> rows[] = {
            R::menu("MainA", "&A"),
            R::item("MnEins", "Eins", &Owner::run, QKeyCombination(Qt::ControlModifier, Qt::Key_E)),
            R::item("MnZwei", "", &Owner::run),
            R::item("MnDrei", "Drei\tStrg+Shift+E", &Owner::run)
                .withWindowKey(QKeyCombination(Qt::ControlModifier, Qt::Key_E)),
            R::menu("MainB", ""),
            R::separator(),
        };
        const QStringList problems = CommandTableProblems(std::span<const CommandRow<Owner>>(rows));
        QCOMPARE(problems, QStringList({QStringLiteral("MnZwei has no caption"),
                                        QStringLiteral("MnEins and MnDrei have the same key"),
                                        QStringLiteral("MainB has no caption")}));
    }

    void everyRowHasACaptionAndNoTwoRowsOfAWindowShareAKey() {
        checkTable(EditorMenus::Rows());
        checkTable(FrameCommandRows());
        checkTable(TFJavaHelp::CommandTable());
    }

    void everyCommandRowRunsSomething() {
        QStringList idle;
        for (const CommandRow<TFMDIQuill> &row : EditorMenus::Rows())
            if (row.isCommand() && !row.command)
                idle << QString::fromLatin1(row.name);
        for (const CommandRow<TFJavaHelp> &row : TFJavaHelp::CommandTable())
            if (row.isCommand() && !row.command)
                idle << QString::fromLatin1(row.name);
        for (const CommandRow<TFMain> &row : FrameCommandRows())
            if (row.isCommand() && !row.command)
                idle << QString::fromLatin1(row.name);
        // The frame's documentation item is hidden and has nothing to open yet.
        QCOMPARE(idle, QStringList{QStringLiteral("MnJavaDoc")});
    }

    void theKeyACaptionShowsIsTheKeyTheWindowReads() {
        int shown = 0;
        for (const CommandRow<TFMDIQuill> &row : EditorMenus::Rows()) {
            const QString caption = row.captionText();
            const QKeySequence windowKey =
                row.hasWindowKey() ? QKeySequence(row.windowKey) : QKeySequence();
            if (caption.contains(u'\t')) {
                ++shown;
                QCOMPARE(TextToShortCut(caption.section(u'\t', 1)), windowKey);
                QCOMPARE(TFMDIQuill::SnippetCommandForKey(row.windowKey.key(),
                                                          row.windowKey.keyboardModifiers()),
                         QString::fromLatin1(row.name) + QStringLiteral("Click"));
            } else {
                QVERIFY2(windowKey.isEmpty(), row.name);
            }
        }
        QCOMPARE(shown, 7);
    }

    void theWindowMessagesRunTheRowsOfTheirCommands() {
        const QHash<int, QString> expected = {{1038, "MnSpeichern"},
                                              {1051, "MnSpeichern"},
                                              {1064, "MnSpeichern"},
                                              {1039, "MnDrucken"},
                                              {1052, "MnSpeichernUnter"},
                                              {1079, "MnRueckgaengig"},
                                              {1086, "MnBlockAusschneiden"},
                                              {1087, "MnBlockKopieren"},
                                              {1088, "MnBlockEinfuegen"},
                                              {1114, "MnCompiler"},
                                              {1115, "MnRun"}};
        for (int message = 1000; message <= 1200; ++message) {
            const CommandRow<TFMDIQuill> *row = EditorMenus::RowForMessage(message);
            QCOMPARE(row ? QString::fromLatin1(row->name) : QString(), expected.value(message));
            QVERIFY(!row || row->command);
            QCOMPARE(EditorMenus::IsCloseMessage(message),
                     message == 1040 || message == 1045 || message == 1056);
        }
    }

    void theMenusAreBuiltAsTheTableSays() {
        TestEnv env;
        RecordingUi ui;
        TFMain frame;
        frame.OpenFileByName(env.writeFile("A.java", "class A {}\n"));
        TFMDIQuill *window = frame.EditorWindows().value(0);
        QVERIFY(window);
        for (const CommandRow<TFMDIQuill> &row : EditorMenus::Rows()) {
            if (row.kind == CommandRowKind::Separator || !*row.name)
                continue;
            QAction *item = window->MenuItem(QString::fromLatin1(row.name));
            QVERIFY2(item, row.name);
            QCOMPARE(item->text(), row.captionText());
            QCOMPARE(item->isVisible(), !row.hidden);
            if (row.isCommand() && !row.keySetting && row.hasKey())
                QCOMPARE(item->shortcut(), QKeySequence(row.key));
            if (row.isCommand() && *row.hint)
                QCOMPARE(item->toolTip(), row.hintText());
        }
        // The keys of the settings: F8 and F9 out of the box.
        QCOMPARE(window->MenuItem(QStringLiteral("MnCompiler"))->shortcut(),
                 QKeySequence(Qt::Key_F8));
        QCOMPARE(window->MenuItem(QStringLiteral("MnRun"))->shortcut(), QKeySequence(Qt::Key_F9));
        QVERIFY(!window->MenuItem(QStringLiteral("MnProgrammBeenden"))->isEnabled());
        QVERIFY(!frame.ToolButton(QStringLiteral("BnStop"))->isEnabled());
        QCOMPARE(frame.ToolButton(QStringLiteral("BnSaveFile"))->toolTip(),
                 QStringLiteral("Datei speichern (^S)"));
    }

    // An error in a command of the editor window, started by its menu item, its key or a
    // numbered window message, ends in the general error report.
    void anErrorInAnEditorCommandIsReported() {
        TestEnv env;
        RecordingUi ui;
        TFMain frame;
        frame.OpenFileByName(env.writeFile("A.java", "class A {}\n"));
        TFMDIQuill *window = frame.EditorWindows().value(0);
        QVERIFY(window);
        ui.clear();

        ui.failOnCaption = QStringLiteral("Gehe Zu");
        window->MenuItem(QStringLiteral("MnGehezu"))->trigger();
        expectReport(ui);

        ui.failOnCaption = QStringLiteral("Gehe Zu");
        QTest::keyClick(window->ActiveMemo(), Qt::Key_G, Qt::ControlModifier);
        expectReport(ui);

        // The close question of a changed document fails: the window stays.
        window->ActiveMemo()->insertPlainText(QStringLiteral("x"));
        ui.failOnCaption = QStringLiteral("Bestätigen");
        EditorMessageEvent close(1040);
        QCoreApplication::sendEvent(window, &close);
        expectReport(ui);
        QCOMPARE(frame.EditorWindows().size(), 1);
    }

    void anErrorInAFrameCommandIsReported() {
        TestEnv env;
        RecordingUi ui;
        TFMain frame;
        FailingFrameCommands commands;
        frame.SetCommands(&commands);
        ui.clear();

        frame.ToolButton(QStringLiteral("BnJavaHelp"))->click();
        expectReport(ui);

        QAction *settings = frame.findChild<QAction *>(QStringLiteral("MnEinstellungen"));
        QVERIFY(settings);
        settings->trigger();
        expectReport(ui);
    }

    void anErrorInAClassReferenceCommandIsReported() {
        TestEnv env;
        env.writeFile(QStringLiteral("prog/javaklassen.txt"), "");
        RecordingUi ui;
        TFJavaHelp window;
        ui.clear();
        window.FindDialog1()->SetFindText(QStringLiteral("gibtsnicht"));
        // Not found: the box "Suchen" fails.
        ui.failOnCaption = QStringLiteral("Suchen");
        window.findChild<QAction *>(QStringLiteral("MnWeitersuchen"))->trigger();
        expectReport(ui);

        ui.failOnCaption = QStringLiteral("Suchen");
        window.FindDialog1()->FindButton()->click();
        expectReport(ui);
    }

    void anErrorInADialogCommandIsReported() {
        TestEnv env;
        RecordingUi ui;
        TFEinst dialog;
        ui.clear();
        ui.failOnCaption = QStringLiteral("Schriftart");
        dialog.findChild<QAbstractButton *>(QStringLiteral("BnAendernSchrift"))->click();
        expectReport(ui);
    }

private:
    // The last box is the general error report with the error's text, and it is the only
    // box since the last check.
    static void expectReport(RecordingUi &ui) {
        QVERIFY2(ui.failOnCaption.isEmpty(), "the command did not ask what should fail");
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.last().caption, QStringLiteral("Fehler"));
        QCOMPARE(ui.boxes.last().text, RecordingUi::FailureText());
        ui.clear();
    }
};

QTEST_MAIN(TestCommandTables)
#include "tst_commandtables.moc"
