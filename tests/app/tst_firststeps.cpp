// What a learner meets first in the frame: the hint on the empty window area, tool tips
// that name the right keys, the folder the file dialogs start in, a file opened twice, and
// the error panel (following its output, jumping from a stack trace).
#include "app/TFMain.h"

#include "common/DialogResult.h"
#include "common/DialogStartFolder.h"
#include "common/Memo.h"
#include "common/ShortcutText.h"
#include "editor/EditCommands.h"
#include "editor/MDIQuill.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

namespace {

class FakeFrameCommands : public FrameCommands {
public:
    TNewFile NewFileWizard() override { return TNewFile(); }
    void SettingsDialog() override {
        if (settings)
            settings();
    }
    void JavaHelp() override {}
    void FindJavaTools() override {}
    std::function<void()> settings;
};

QString clean(const QString &dir) {
    return QDir::cleanPath(dir);
}

// The menu item with that caption (mnemonics left out) in the menu bar's menu of that title.
QAction *menuItem(QMenuBar *bar, const QString &menu, const QString &caption) {
    const auto plain = [](QString text) {
        text = text.section(u'\t', 0, 0);
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(u'&');
        text.replace(u'\x01', u'&');
        return text;
    };
    for (QAction *title : bar->actions())
        if (title->menu() && plain(title->text()) == menu)
            for (QAction *item : title->menu()->actions())
                if (plain(item->text()) == caption)
                    return item;
    return nullptr;
}

} // namespace

class TestFirstSteps : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        m_commands.settings = nullptr;
        m_frame = std::make_unique<TFMain>();
        m_frame->SetCommands(&m_commands);
        m_frame->resize(1100, 800);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanup() {
        m_frame.reset();
        m_ui.reset();
        m_env.reset();
    }

    void theEmptyFrameSaysWhatToDoFirst() {
        QLabel *hint = m_frame->StartHint();
        QVERIFY(hint);
        QVERIFY(hint->isVisible());
        QCOMPARE(
            hint->text().split(u'\n'),
            (QStringList{QStringLiteral("Strg+N – neues Java-Programm mit dem Assistenten"),
                         QStringLiteral("Strg+O – Datei öffnen"), QStringLiteral("F1 – Hilfe")}));
        // It lies on the window area's background and covers it, so it stays centred.
        QCOMPARE(hint->parentWidget(), m_frame->MdiArea()->viewport());
        QCOMPARE(hint->geometry(), m_frame->MdiArea()->viewport()->rect());

        // The keys it names are the keys of those commands.
        const QString a = m_env->writeFile("A.java", "class A {}\n");
        m_frame->OpenFileByName(a);
        QVERIFY(!hint->isVisible());
        QMenuBar *bar = m_frame->menuBar();
        QCOMPARE(menuItem(bar, "Datei", "Neu...")->shortcut(), TextToShortCut("Strg+N"));
        QCOMPARE(menuItem(bar, "Datei", "Öffnen...")->shortcut(), TextToShortCut("Strg+O"));
        QCOMPARE(menuItem(bar, "Hilfe", "Hilfe")->shortcut(), TextToShortCut("F1"));

        const QString b = m_env->writeFile("B.java", "class B {}\n");
        m_frame->OpenFileByName(b);
        QVERIFY(m_frame->EditorWindows().first()->close());
        QVERIFY(!hint->isVisible());
        QVERIFY(m_frame->EditorWindows().first()->close());
        QVERIFY(hint->isVisible()); // back once the last window is closed
        // A file that cannot be read opens no window: the hint stays.
        QVERIFY(QDir().mkpath(m_env->path("ordner.java")));
        m_frame->OpenFileByName(m_env->path("ordner.java"));
        QVERIFY(hint->isVisible());
    }

    // Each tool button's tip names the key of the menu item it stands for, and no other.
    void toolTipsNameTheKeysOfTheirCommands() {
        m_frame->OpenFileByName(m_env->writeFile("A.java", "class A {}\n"));
        const QList<std::tuple<QString, QString, QString>> buttons{
            {"BnDateiOeffnen", "Datei", "Öffnen..."},
            {"BnNeu", "Datei", "Neu..."},
            {"BnSaveFile", "Datei", "Speichern..."},
            {"BnDrucken", "Datei", "Drucken..."},
            {"BnUndo", "Bearbeiten", "Rückgängig"},
            {"BnCut", "Bearbeiten", "Ausschneiden"},
            {"BnPaste", "Bearbeiten", "Einfügen"},
            {"BnPrev", "Fenster", "Vorheriges Fenster"},
            {"BnNext", "Fenster", "Nächstes  Fenster"},
            {"BnCompile", "Compiler / Run", "Compiler"},
            {"BnRun", "Compiler / Run", "Run"},
            {"BnStop", "Compiler / Run", "Programm beenden"},
        };
        // "(^O)" and "(Strg+F2)" alike.
        static const QRegularExpression key(QStringLiteral("\\(([^()]+)\\)$"));
        for (const auto &[name, menu, caption] : buttons) {
            QToolButton *button = m_frame->ToolButton(name);
            QVERIFY2(button, qPrintable(name));
            QAction *item = menuItem(m_frame->menuBar(), menu, caption);
            QVERIFY2(item, qPrintable(caption));
            const QRegularExpressionMatch match = key.match(button->toolTip());
            QString named = match.hasMatch() ? match.captured(1) : QString();
            named.replace(QStringLiteral("^"), QStringLiteral("Strg+"));
            QVERIFY2(TextToShortCut(named) == item->shortcut(),
                     qPrintable(name + ": " + button->toolTip()));
        }
        QCOMPARE(m_frame->ToolButton("BnCompile")->toolTip(), QStringLiteral("Kompilieren (F8)"));
        QCOMPARE(m_frame->ToolButton("BnRun")->toolTip(), QStringLiteral("Starten (F9)"));
        QVERIFY(m_frame->cbMitUmleitung()->toolTip().contains(QStringLiteral("Fehlerfenster")));
        QVERIFY(m_frame->cbMitUmleitung()->toolTip().contains(QStringLiteral("Terminalfenster")));
    }

    void buildToolTipsFollowTheChosenKeys() {
        // A cancelled dialog changes nothing, even when the settings changed meanwhile.
        m_commands.settings = [] { Settings::TastencodeCompiler = QStringLiteral("Strg+K"); };
        m_frame->MnEinstellungenClick();
        QCOMPARE(m_frame->ToolButton("BnCompile")->toolTip(), QStringLiteral("Kompilieren (F8)"));

        m_commands.settings = [] {
            Settings::TastencodeCompiler = QStringLiteral("Umsch+Strg+F12");
            Settings::TastencodeRun = QStringLiteral("keine Taste");
            DialogResultText() = QStringLiteral("Okay");
        };
        m_frame->MnEinstellungenClick();
        QCOMPARE(m_frame->ToolButton("BnCompile")->toolTip(),
                 QStringLiteral("Kompilieren (Umsch+Strg+F12)"));
        QCOMPARE(m_frame->ToolButton("BnRun")->toolTip(), QStringLiteral("Starten"));

        // A new frame starts with the stored keys.
        Settings::TastencodeRun = QStringLiteral("Strg+F9");
        QVERIFY(SaveSettings().isEmpty());
        TFMain frame;
        QCOMPARE(frame.ToolButton("BnRun")->toolTip(), QStringLiteral("Starten (Strg+F9)"));
    }

    void aFileOpenedTwiceComesToTheFront() {
        const QString a = m_env->writeFile("A.java", "a");
        const QString b = m_env->writeFile("B.java", "b");
        m_frame->OpenFileByName(a);
        m_frame->OpenFileByName(b);
        TFMDIQuill *windowA = m_frame->EditorWindows().first();
        windowA->showMinimized();
        m_frame->MdiArea()->setActiveSubWindow(m_frame->EditorWindows().last());
        QVERIFY(m_frame->ActiveEditorWindow() != windowA);
        m_frame->OpenFileByName(a);
        QCOMPARE(m_ui->texts(), QStringList{QStringLiteral("Datei ist schon geladen\r\n") + a});
        QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Hinweis"));
        QCOMPARE(m_frame->EditorWindows().size(), 2);
        QCOMPARE(m_frame->ActiveEditorWindow(), windowA);
        QVERIFY(!windowA->isMinimized());
    }

    void saveDialogStartsWhereTheLearnerWorks() {
        const QString a = m_env->writeFile("eins/A.java", "class A {}\n");
        const QString other = m_env->path("zwei");
        QVERIFY(QDir().mkpath(other));
        // A named document: its own folder, whatever the last folder is.
        m_frame->OpenFileByName(a);
        TFMDIQuill *windowA = m_frame->EditorWindows().first();
        Settings::EditorPfad = other;
        windowA->MnSpeichernUnterClick();
        QCOMPARE(clean(m_ui->saveRequests.last().directory), m_env->path("eins"));

        // A new document (the last folder is emptied by creating it): the folder of the file
        // the learner worked on last.
        TFMDIQuill *fresh = m_frame->CreateEditorWindow(QString(), TNewFile());
        QVERIFY(fresh);
        QVERIFY(Settings::EditorPfad.isEmpty());
        fresh->MnSpeichernUnterClick();
        QCOMPARE(clean(m_ui->saveRequests.last().directory), m_env->path("eins"));
        // Saving the block before any save as starts there too, as does the open dialog.
        TFMDIQuill *second = m_frame->CreateEditorWindow(QString(), TNewFile());
        second->MnBlockalsDateiSichernClick();
        QCOMPARE(clean(m_ui->saveRequests.last().directory), m_env->path("eins"));
        m_frame->MnOeffnenClick();
        QCOMPARE(clean(m_ui->openRequests.last().directory), m_env->path("eins"));

        // Without another window with a file: the last folder used, else the home folder.
        QVERIFY(windowA->close());
        Settings::EditorPfad = other;
        fresh->MnSpeichernUnterClick();
        QCOMPARE(clean(m_ui->saveRequests.last().directory), other);
        Settings::EditorPfad.clear();
        fresh->MnSpeichernUnterClick();
        QCOMPARE(clean(m_ui->saveRequests.last().directory), clean(QDir::homePath()));
        Settings::EditorPfad = m_env->path("fehlt");
        fresh->MnSpeichernUnterClick();
        QCOMPARE(clean(m_ui->saveRequests.last().directory), clean(QDir::homePath()));
        for (const FileDialogRequest &request : std::as_const(m_ui->saveRequests))
            QVERIFY(!request.directory.isEmpty());
    }

    void startFolderIsTheFirstExistingCandidate() {
        const QString here = m_env->dir();
        QCOMPARE(DialogStartFolder({QString(), m_env->path("fehlt"), here}), here);
        QCOMPARE(DialogStartFolder({m_env->writeFile("datei", "x"), here}), here);
        QCOMPARE(DialogStartFolder({}), QDir::homePath());
    }

    void thePanelFollowsItsOutputUnlessScrolledUp() {
        RunOutput &output = m_frame->Output();
        QScrollBar *bar = m_frame->Memo1()->verticalScrollBar();
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines << QStringLiteral("Zeile %1").arg(i);
        output.Clear();
        output.AppendLine(QStringLiteral("Datei \"A.java\""));
        output.SetText(lines.join(u'\n'));
        QVERIFY(bar->maximum() > 20);
        QCOMPARE(bar->value(), bar->maximum());
        output.AppendLine(QStringLiteral("-- Fertig --"));
        QCOMPARE(bar->value(), bar->maximum());

        // The learner scrolls up to read: new output leaves the panel where it is.
        bar->setValue(10);
        output.AppendLine(QStringLiteral("mehr"));
        QCOMPARE(bar->value(), 10);
        output.SetText(lines.join(u'\n') + QStringLiteral("\nneu"));
        QCOMPARE(bar->value(), 10);
        // Back at the end, the panel follows again; a new run starts following.
        bar->setValue(bar->maximum());
        output.AppendLine(QStringLiteral("noch mehr"));
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(0);
        output.Clear();
        output.SetText(lines.join(u'\n'));
        QCOMPARE(bar->value(), bar->maximum());
    }

    // A real exception: a double-click on its first line or on a library frame shows the
    // learner's own line; the file opens when no window holds it.
    void aStackTraceLeadsToTheLearnersLine() {
        const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
        const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
        QVERIFY2(!javac.isEmpty() && !java.isEmpty(), "the test needs the JDK");
        Settings::Compiler = javac;
        Settings::Run = java;
        m_frame->cbMitUmleitung()->setChecked(true);
        const QString rechner = m_env->writeFile("p/Rechner.java", "public class Rechner {\n"
                                                                   "  public static void "
                                                                   "main(String[] a) {\n"
                                                                   "    int x = 1;\n"
                                                                   "    x = x + 1;\n"
                                                                   "    Hilfe.rechne(\"x\");\n"
                                                                   "  }\n"
                                                                   "}\n");
        const QString hilfe = m_env->writeFile("p/Hilfe.java", "class Hilfe {\n"
                                                               "  static int rechne(String s) "
                                                               "{\n"
                                                               "    return Integer.parseInt(s);\n"
                                                               "  }\n"
                                                               "}\n");
        m_frame->OpenFileByName(rechner);
        TFMDIQuill *window = m_frame->EditorWindows().first();
        window->MnRunClick();
        const QStringList panel = m_frame->Memo1()->toPlainText().split(u'\n');
        const auto lineOf = [&panel](const QString &start) {
            for (int i = 0; i < panel.size(); ++i)
                if (panel.at(i).trimmed().startsWith(start))
                    return i;
            return -1;
        };
        const int header = lineOf(QStringLiteral("Exception in thread \"main\""));
        QVERIFY2(header > 0, qPrintable(panel.join(u'\n')));
        const auto doubleClick = [this](int line) {
            QTextCursor cursor(m_frame->Memo1()->document()->findBlockByNumber(line));
            const QPoint at = m_frame->Memo1()->cursorRect(cursor).center() + QPoint(2, 0);
            QTest::mouseDClick(m_frame->Memo1()->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(header);
        QCOMPARE(m_frame->EditorWindows().size(), 2);
        TFMDIQuill *shown = m_frame->ActiveEditorWindow();
        QVERIFY(shown->Document().holdsFile(hilfe));
        QCOMPARE(shown->ActiveMemo()->textCursor().selectedText(),
                 QStringLiteral("    return Integer.parseInt(s);"));
        QCOMPARE(shown->StatusPanel(0), EditCommands::CaretText(2, 0));

        // Enter on a library frame: the next own frame.
        const int library = lineOf(QStringLiteral("at java.base/java.lang.Integer.parseInt"));
        QVERIFY2(library > header, qPrintable(panel.join(u'\n')));
        QTextCursor caret(m_frame->Memo1()->document()->findBlockByNumber(library));
        m_frame->Memo1()->setTextCursor(caret);
        m_frame->Memo1()->setFocus();
        QTest::keyClick(m_frame->Memo1(), Qt::Key_Return);
        QCOMPARE(m_frame->ActiveEditorWindow(), shown);
        QCOMPARE(shown->ActiveMemo()->textCursor().blockNumber(), 2);

        // The frame of main leads to Rechner.java's line 5.
        doubleClick(lineOf(QStringLiteral("at Rechner.main(")));
        QCOMPARE(m_frame->ActiveEditorWindow(), window);
        QCOMPARE(window->ActiveMemo()->textCursor().selectedText(),
                 QStringLiteral("    Hilfe.rechne(\"x\");"));
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
    FakeFrameCommands m_commands;
    std::unique_ptr<TFMain> m_frame;
};

QTEST_MAIN(TestFirstSteps)
#include "tst_firststeps.moc"
