// The debugger in the frame and its editor windows, against a fake engine: the items, keys
// and tool buttons, breakpoints by item, key and gutter click, the current line, the status
// bar, the variables and the call stack, and the end of a debugging.
#include "../debugger/FakeDebugEngine.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include "app/TFMain.h"
#include "colormemo/ColorMemo.h"
#include "colormemo/GutterArea.h"
#include "common/DialogResult.h"
#include "common/Memo.h"
#include "debugger/TFDebugPanel.h"
#include "editor/MDIQuill.h"
#include "settings/Settings.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QByteArray Summe = "public class Summe {\n"                         // 1
                         "    public static void main(String[] args) {\n" // 2
                         "        int summe = 0;\n"                       // 3
                         "        for (int i = 0; i < 3; i++) {\n"        // 4
                         "            summe = summe + i;\n"               // 5
                         "        }\n"                                    // 6
                         "        System.out.println(summe);\n"           // 7
                         "    }\n"                                        // 8
                         "}\n";

QList<int> marksOf(TFMDIQuill *window, LineMarkKind kind) {
    QList<int> lines;
    for (const LineMarkAt &at : window->Marks().All())
        if (at.mark.kind == kind)
            lines << at.line + 1;
    return lines;
}

void putCaretOnLine(TFMDIQuill *window, int line) {
    QTextCursor cursor(window->ActiveMemo()->document()->findBlockByNumber(line - 1));
    window->ActiveMemo()->setTextCursor(cursor);
}

// The y of the middle of a line (from 0) in the gutter, -1 when it is not on screen.
int gutterY(const TCMGutterArea *gutter, int line) {
    for (int y = 0; y < gutter->height(); ++y)
        if (gutter->LineAt(y) == line) {
            int bottom = y;
            while (gutter->LineAt(bottom + 1) == line)
                ++bottom;
            return (y + bottom) / 2;
        }
    return -1;
}

bool hasCurrentLineBar(const TMemo *memo, int line) {
    for (const QTextEdit::ExtraSelection &selection : memo->extraSelections())
        if (selection.format.boolProperty(QTextFormat::FullWidthSelection) &&
            selection.cursor.blockNumber() == line - 1)
            return true;
    return false;
}

} // namespace

class TestFrameDebug : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        // The frame loads the settings: the tools are set after it.
        m_frame = std::make_unique<TFMain>();
        Settings::Compiler = m_env->writeArgumentRecorder("bin/javac");
        Settings::Run = m_env->writeArgumentRecorder("bin/java");
        Settings::CompilerParameter.clear();
        Settings::RunParameter.clear();
        m_engine = new FakeDebugEngine;
        m_frame->SetDebugEngine(m_engine);
        m_frame->resize(1100, 800);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        m_summe = m_env->writeFile("p/Summe.java", Summe);
        m_frame->OpenFileByName(m_summe);
        m_window = m_frame->EditorWindows().value(0);
        QVERIFY(m_window);
    }

    void cleanup() {
        m_frame.reset();
        m_ui.reset();
        m_env.reset();
    }

    void theMenuAndItsKeys() {
        const QStringList names = {"MnDebuggenStarten", "MnFortsetzen",  "MnUeberspringen",
                                   "MnHineinspringen",  "MnRuecksprung", "MnHaltepunkt"};
        const QList<QKeySequence> keys = {QKeySequence(Qt::SHIFT | Qt::Key_F9),
                                          QKeySequence(Qt::CTRL | Qt::Key_F5),
                                          QKeySequence(Qt::Key_F10),
                                          QKeySequence(Qt::Key_F11),
                                          QKeySequence(Qt::SHIFT | Qt::Key_F11),
                                          QKeySequence(Qt::CTRL | Qt::Key_B)};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(m_window->MenuItem(names[i])->shortcut(), keys[i]);
        QCOMPARE(m_window->MenuItem("MainDebuggen")->text(), QStringLiteral("&Debuggen"));
        // Nothing is debugged: starting and breakpoints only.
        QVERIFY(m_window->MenuItem("MnDebuggenStarten")->isEnabled());
        QVERIFY(m_window->MenuItem("MnHaltepunkt")->isEnabled());
        QVERIFY(!m_window->MenuItem("MnFortsetzen")->isEnabled());
        QVERIFY(m_frame->ToolButton("BnDebuggenStarten")->isEnabled());
        QVERIFY(!m_frame->ToolButton("BnUeberspringen")->isEnabled());
        QVERIFY(!m_frame->DebugPanel()->isVisible());
        // F5 stays the frame's.
        QCOMPARE(m_window->MenuItem("MnFortsetzen")->shortcut().toString(),
                 QStringLiteral("Ctrl+F5"));
    }

    // A key chosen for run in the settings wins: the debugger's item shows none.
    void aRunKeyFromTheSettingsWins() {
        Settings::TastencodeRun = QStringLiteral("Umsch+F9");
        m_window->ApplyBuildShortcuts();
        QCOMPARE(m_window->MenuItem("MnRun")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));
        QVERIFY(m_window->MenuItem("MnDebuggenStarten")->shortcut().isEmpty());
        Settings::TastencodeRun = QStringLiteral("F9");
        m_window->ApplyBuildShortcuts();
        QCOMPARE(m_window->MenuItem("MnDebuggenStarten")->shortcut(),
                 QKeySequence(Qt::SHIFT | Qt::Key_F9));
    }

    void breakpointsByItemKeyAndGutter() {
        putCaretOnLine(m_window, 5);
        m_window->MenuItem("MnHaltepunkt")->trigger();
        QCOMPARE(marksOf(m_window, LineMarkKind::Breakpoint), QList<int>{5});
        // A click in the gutter beside line 3.
        auto *gutter = m_window->MemoColor()->findChild<TCMGutterArea *>();
        QVERIFY(gutter);
        const int y = gutterY(gutter, 2);
        QVERIFY(y >= 0);
        QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(gutter->width() / 2, y));
        QCOMPARE(marksOf(m_window, LineMarkKind::Breakpoint), QList<int>({3, 5}));
        QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(gutter->width() / 2, y));
        QCOMPARE(marksOf(m_window, LineMarkKind::Breakpoint), QList<int>{5});
        // The mark moves with an edit above it.
        QTextCursor start(m_window->ActiveMemo()->document());
        start.insertText("// neu\n");
        QCOMPARE(marksOf(m_window, LineMarkKind::Breakpoint), QList<int>{6});
        // The monochrome view has no gutter: Ctrl+B works there.
        m_window->MnSerMemoSWClick();
        QCOMPARE(m_window->ActiveMemo(), m_window->MemoSW());
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->MdiArea()->setActiveSubWindow(m_window);
        putCaretOnLine(m_window, 2);
        m_window->ActiveMemo()->setFocus();
        QTest::keyClick(m_window->ActiveMemo(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(marksOf(m_window, LineMarkKind::Breakpoint), QList<int>({2, 6}));
        // Closed and opened again, the file has them still.
        m_window->ActiveMemo()->SetModified(false);
        m_window->close();
        QVERIFY(m_frame->EditorWindows().isEmpty());
        m_frame->OpenFileByName(m_summe);
        TFMDIQuill *again = m_frame->EditorWindows().value(0);
        QVERIFY(again);
        QCOMPARE(marksOf(again, LineMarkKind::Breakpoint), QList<int>({2, 6}));
        m_window = again;
    }

    void aDebuggingInTheWindows() {
        putCaretOnLine(m_window, 5);
        m_window->MenuItem("MnHaltepunkt")->trigger();
        QVERIFY(m_engine->take().isEmpty());
        m_window->MenuItem("MnDebuggenStarten")->trigger();
        QCOMPARE(m_engine->take(),
                 QStringList({"SetBreakpoints " + m_summe + " 5", "Listen Summe"}));
        QVERIFY(QFile::exists(Settings::Compiler + ".args"));
        QVERIFY(!m_window->MenuItem("MnDebuggenStarten")->isEnabled());
        QVERIFY(!m_frame->ToolButton("BnDebuggenStarten")->isEnabled());
        QVERIFY(m_frame->DebugPanel()->isVisible());
        // "Programm beenden" has something to end now.
        QVERIFY(m_window->MenuItem("MnProgrammBeenden")->isEnabled());
        listen();
        QVERIFY(QFile::exists(Settings::Run + ".args"));

        // Another window in front; the stop brings the program's window up.
        const QString other = m_env->writeFile("q/Anders.java", "class Anders {}\n");
        m_frame->OpenFileByName(other);
        QCOMPARE(m_frame->ActiveEditorWindow()->FileName(), other);
        emit m_engine->Stopped(DebugStop{{frameAt("main", "Summe", 5)}, QString()});
        QCOMPARE(m_frame->ActiveEditorWindow(), m_window);
        QCOMPARE(marksOf(m_window, LineMarkKind::CurrentLine), QList<int>{5});
        QVERIFY(hasCurrentLineBar(m_window->ActiveMemo(), 5));
        QCOMPARE(m_window->ActiveMemo()->textCursor().blockNumber(), 4);
        QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Angehalten in Zeile 5"));
        // A step's key is released after its stop came: the text stays.
        QTest::keyRelease(m_window->ActiveMemo(), Qt::Key_F10);
        QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Angehalten in Zeile 5"));
        // The gutter's arrow beside the line, left of the breakpoint's dot.
        {
            auto *gutter = m_window->MemoColor()->findChild<TCMGutterArea *>();
            const int y = gutterY(gutter, 4);
            m_window->MemoColor()->viewport()->repaint();
            const QImage image = gutter->grab().toImage();
            int arrowAt = -1;
            int dotAt = -1;
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (arrowAt < 0 && pixel == TCMGutterArea::MarkColor(LineMarkKind::CurrentLine))
                    arrowAt = x;
                if (dotAt < 0 && pixel == TCMGutterArea::MarkColor(LineMarkKind::Breakpoint))
                    dotAt = x;
            }
            QVERIFY(arrowAt > 3); // not a bar at the left edge
            QVERIFY(dotAt > arrowAt);
        }
        for (const char *name :
             {"MnFortsetzen", "MnUeberspringen", "MnHineinspringen", "MnRuecksprung"})
            QVERIFY2(m_window->MenuItem(name)->isEnabled(), name);
        for (const char *name :
             {"BnFortsetzen", "BnUeberspringen", "BnHineinspringen", "BnRuecksprung"})
            QVERIFY2(m_frame->ToolButton(name)->isEnabled(), name);

        // The variables, and an object filled when it is expanded.
        QTreeWidget *tree = m_frame->DebugPanel()->Variablen();
        QCOMPARE(tree->accessibleName(), QStringLiteral("Variablen"));
        QCOMPARE(tree->headerItem()->text(0), QStringLiteral("Name"));
        QCOMPARE(tree->headerItem()->text(1), QStringLiteral("Wert"));
        QCOMPARE(tree->headerItem()->text(2), QStringLiteral("Typ"));
        emit m_engine->Variables(0, {variable("args", "String[0] (id=3)", "String[]", 3),
                                     variable("summe", "0", "int"), variable("i", "0", "int")});
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("i"));
        QCOMPARE(tree->topLevelItem(2)->text(1), QStringLiteral("0"));
        QCOMPARE(tree->topLevelItem(2)->text(2), QStringLiteral("int"));
        QCOMPARE(tree->topLevelItem(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        QCOMPARE(tree->topLevelItem(2)->childIndicatorPolicy(),
                 QTreeWidgetItem::DontShowIndicatorWhenChildless);
        m_engine->take();
        tree->expandItem(tree->topLevelItem(0));
        QCOMPARE(m_engine->take(), QStringList{"Expand 3"});
        emit m_engine->Children(3, {variable("[0]", "\"a\"", "String")});
        QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(1), QStringLiteral("\"a\""));

        // A step: the changed value is bold.
        m_window->MenuItem("MnUeberspringen")->trigger();
        QCOMPARE(m_engine->take(), QStringList{"StepOver"});
        QVERIFY(marksOf(m_window, LineMarkKind::CurrentLine).isEmpty());
        QVERIFY(!m_window->MenuItem("MnUeberspringen")->isEnabled());
        emit m_engine->Stopped(DebugStop{{frameAt("main", "Summe", 4)}, QString()});
        emit m_engine->Variables(0, {variable("args", "String[0] (id=3)", "String[]", 3),
                                     variable("summe", "0", "int"), variable("i", "1", "int")});
        QVERIFY(!tree->topLevelItem(1)->font(1).bold());
        QVERIFY(tree->topLevelItem(2)->font(1).bold());
        QCOMPARE(marksOf(m_window, LineMarkKind::CurrentLine), QList<int>{4});

        // The call stack: choosing the caller shows its line.
        const QString helper = m_env->writeFile("p/Rechner.java", "class Rechner {\n\n}\n");
        m_window->MenuItem("MnHineinspringen")->trigger();
        emit m_engine->Stopped(
            DebugStop{{frameAt("add", "Rechner", 2), frameAt("main", "Summe", 5)}, QString()});
        // Rechner.java had no window: it is opened.
        TFMDIQuill *rechner = m_frame->ActiveEditorWindow();
        QCOMPARE(rechner->FileName(), helper);
        QCOMPARE(marksOf(rechner, LineMarkKind::CurrentLine), QList<int>{2});
        QListWidget *calls = m_frame->DebugPanel()->Aufrufe();
        QCOMPARE(calls->accessibleName(), QStringLiteral("Aufrufe"));
        QCOMPARE(calls->count(), 2);
        QCOMPARE(calls->item(0)->text(), QStringLiteral("add (Rechner.java:2)"));
        QCOMPARE(calls->item(1)->text(), QStringLiteral("main (Summe.java:5)"));
        m_engine->take();
        calls->setCurrentRow(1);
        QCOMPARE(m_engine->take(), QStringList{"SelectFrame 1"});
        QCOMPARE(m_frame->ActiveEditorWindow(), m_window);
        QCOMPARE(marksOf(m_window, LineMarkKind::CurrentLine), QList<int>{5});
        QVERIFY(marksOf(rechner, LineMarkKind::CurrentLine).isEmpty());

        // The program ends: marks gone, panel hidden, items back.
        emit m_engine->Ended();
        QVERIFY(marksOf(m_window, LineMarkKind::CurrentLine).isEmpty());
        QVERIFY(!hasCurrentLineBar(m_window->ActiveMemo(), 5));
        QCOMPARE(marksOf(m_window, LineMarkKind::Breakpoint), QList<int>{5});
        QVERIFY(!m_frame->DebugPanel()->isVisible());
        QVERIFY(m_window->MenuItem("MnDebuggenStarten")->isEnabled());
        QVERIFY(!m_window->MenuItem("MnFortsetzen")->isEnabled());
        QVERIFY(!m_frame->ToolButton("BnFortsetzen")->isEnabled());
        QVERIFY(m_window->StatusPanel(0) != QStringLiteral("Angehalten in Zeile 5"));
        QVERIFY(m_ui->boxes.isEmpty());
    }

    void programmBeendenAndClosingEndTheDebugging() {
        m_window->MenuItem("MnDebuggenStarten")->trigger();
        listen();
        emit m_engine->Stopped(DebugStop{{frameAt("main", "Summe", 3)}, QString()});
        m_engine->take();
        m_window->MenuItem("MnProgrammBeenden")->trigger();
        QCOMPARE(m_engine->take(), QStringList{"Finish"});
        QVERIFY(!m_frame->DebugPanel()->isVisible());
        QVERIFY(!m_window->MenuItem("MnProgrammBeenden")->isEnabled());

        // The helper dies: a box says why.
        m_window->MenuItem("MnDebuggenStarten")->trigger();
        listen();
        emit m_engine->Failed(QStringLiteral("Der Debugger ist beendet worden."));
        QCOMPARE(m_ui->texts(), QStringList{"Der Debugger ist beendet worden."});
        QVERIFY(!m_frame->DebugPanel()->isVisible());

        // Closing Quill ends the program being debugged.
        m_window->MenuItem("MnDebuggenStarten")->trigger();
        listen();
        m_engine->take();
        m_engine->endOnFinish = false;
        QVERIFY(m_frame->close());
        QCOMPARE(m_engine->take(), QStringList{"Finish"});
    }

    void withoutEngineTheDebuggerIsNotAvailable() {
        m_frame->SetDebugEngine(nullptr);
        m_window->MenuItem("MnDebuggenStarten")->trigger();
        QCOMPARE(m_ui->texts(), QStringList{"Der Debugger ist nicht verfügbar."});
        QVERIFY(!QFile::exists(Settings::Compiler + ".args"));
        // The tool button does the same.
        m_frame->ToolButton("BnDebuggenStarten")->click();
        QCOMPARE(m_ui->boxes.size(), 2);
    }

private:
    // The engine listens; returns once the program's run is over.
    void listen() {
        QSignalSpy finished(m_frame->Debugging(), &DebugSession::RunFinished);
        emit m_engine->Listening(5005);
        QVERIFY(finished.wait(30000));
    }

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
    std::unique_ptr<TFMain> m_frame;
    FakeDebugEngine *m_engine = nullptr;
    QString m_summe;
    TFMDIQuill *m_window = nullptr;
};

QTEST_MAIN(TestFrameDebug)
#include "tst_framedebug.moc"
