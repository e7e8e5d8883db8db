// The window "Java-Konsole" against a fake engine: the transcript, the prompt, the history
// keys, the stop button and key, emptying the transcript.
#include "FakeKonsoleEngine.h"

#include "colormemo/ColorMemo.h"
#include "javaconsole/TFKonsole.h"
#include "TestEnv.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

class TestTFKonsole : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnv>();
        m_engine = std::make_unique<FakeKonsoleEngine>();
        m_window = std::make_unique<TFKonsole>(*m_engine, m_env->path("verlauf.json"));
        m_window->ShowKonsole();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() {
        m_window.reset();
        m_engine.reset();
        m_env.reset();
    }

    void itSaysJavaStartsThenEvaluatesWhatIsTyped() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Java-Konsole"));
        QCOMPARE(m_engine->starts, 1);
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 QStringLiteral("Java wird gestartet ..."));
        QCOMPARE(m_window->MemoAusgabe()->toPlainText(), QStringLiteral("Java wird gestartet ..."));
        m_engine->BecomeReady();
        QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("Bereit"));

        type("Math.sqrt(2)");
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Return);
        QCOMPARE(m_engine->calls, QStringList({"eval:Math.sqrt(2)"}));
        QVERIFY(m_window->MemoEingabe()->toPlainText().isEmpty());
        m_engine->Answer(KonsoleOutcome::Done, KonsoleText::Value,
                         QStringLiteral("1.4142135623730951\n"));
        QCOMPARE(m_window->MemoAusgabe()->toPlainText(),
                 QStringLiteral("Java wird gestartet ...\n> Math.sqrt(2)\n1.4142135623730951"));
    }

    void theInputLineIsColouredAsInTheEditor() {
        TColorMemo *input = m_window->MemoEingabe();
        QVERIFY(input->ColorRules().Count() >= 4);
        QCOMPARE(input->Gutter().Size(), 0);
    }

    void openInputShowsTheContinuationPrompt() {
        m_engine->BecomeReady();
        QCOMPARE(m_window->LPrompt()->text(), QStringLiteral("> "));
        type("class Punkt {");
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Return);
        m_engine->Answer(KonsoleOutcome::Incomplete);
        QCOMPARE(m_window->LPrompt()->text(), QStringLiteral("... "));
        type("}");
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_engine->calls.last(), QStringLiteral("eval:class Punkt {\n}"));
        m_engine->Answer(KonsoleOutcome::Done, KonsoleText::Info,
                         QStringLiteral("Klasse Punkt angelegt\n"));
        QCOMPARE(m_window->LPrompt()->text(), QStringLiteral("> "));
        QVERIFY(m_window->MemoAusgabe()->toPlainText().endsWith(
            QStringLiteral("> class Punkt {\n... }\nKlasse Punkt angelegt")));
    }

    void upAndDownWalkTheHistoryWhichLasts() {
        m_engine->BecomeReady();
        for (const char *entry : {"int a = 1;", "a + 1"}) {
            type(entry);
            QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Return);
            m_engine->Answer(KonsoleOutcome::Done);
        }
        type("ang");
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Up);
        QCOMPARE(m_window->MemoEingabe()->toPlainText(), QStringLiteral("a + 1"));
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Up);
        QCOMPARE(m_window->MemoEingabe()->toPlainText(), QStringLiteral("int a = 1;"));
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Up);
        QCOMPARE(m_window->MemoEingabe()->toPlainText(), QStringLiteral("int a = 1;"));
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Down);
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Down);
        QCOMPARE(m_window->MemoEingabe()->toPlainText(), QStringLiteral("ang"));

        // Kept for the next run.
        FakeKonsoleEngine engine;
        TFKonsole again(engine, m_env->path("verlauf.json"));
        QTest::keyClick(again.MemoEingabe(), Qt::Key_Up);
        QCOMPARE(again.MemoEingabe()->toPlainText(), QStringLiteral("a + 1"));
    }

    void stopButtonAndKeyEndAnEvaluation() {
        m_engine->BecomeReady();
        QToolButton *stop = m_window->BnAnhalten();
        QVERIFY(!stop->isEnabled());
        type("while (true) {}");
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_Return);
        QVERIFY(stop->isEnabled());
        QTest::mouseClick(stop, Qt::LeftButton);
        QCOMPARE(m_engine->calls.last(), QStringLiteral("stop"));
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(m_engine->calls.filter(QStringLiteral("stop")).size(), 2);
        m_engine->Answer(KonsoleOutcome::Stopped);
        QVERIFY(!stop->isEnabled());
        QVERIFY(m_window->MemoAusgabe()->toPlainText().endsWith(QStringLiteral("Angehalten.")));
    }

    void ctrlLEmptiesTheTranscriptAndResetIsInTheMenu() {
        m_engine->BecomeReady();
        m_engine->Output(KonsoleText::Out, QStringLiteral("etwas\n"));
        QTest::keyClick(m_window->MemoEingabe(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(m_window->MemoAusgabe()->toPlainText(), QString());
        QVERIFY(m_window->Session().Transcript().Text().isEmpty());
        QAction *reset = m_window->MenuItem(QStringLiteral("MnZuruecksetzen"));
        QVERIFY(reset);
        QCOMPARE(reset->text(), QStringLiteral("Konsole &zurücksetzen"));
        reset->trigger();
        QCOMPARE(m_engine->calls.last(), QStringLiteral("reset"));
        m_engine->Answer(KonsoleOutcome::Done);
        QCOMPARE(m_window->MemoAusgabe()->toPlainText(), QStringLiteral("Konsole zurückgesetzt"));
    }

    void closingKeepsTheState() {
        m_engine->BecomeReady();
        m_window->close();
        QVERIFY(!m_window->isVisible());
        m_window->ShowKonsole();
        QCOMPARE(m_engine->starts, 1);
        QVERIFY(m_window->MemoAusgabe()->toPlainText().startsWith(
            QStringLiteral("Java wird gestartet ...")));
    }

private:
    void type(const char *text) {
        QTest::keyClicks(m_window->MemoEingabe(), QString::fromUtf8(text));
    }

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<FakeKonsoleEngine> m_engine;
    std::unique_ptr<TFKonsole> m_window;
};

QTEST_MAIN(TestTFKonsole)
#include "tst_tfkonsole.moc"
