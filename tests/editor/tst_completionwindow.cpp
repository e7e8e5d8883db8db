// "Wort vervollständigen" in a real editor window: key and menu item, the list, the insert
// as one undo step, in both views.
#include "editor/MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "editor/CompletionPopup.h"
#include "FakeEditorHost.h"
#include "javahelp/CompletionIndex.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QTest>

namespace {

// A small class list in the file's own form.
const char *const kClasses = "java.lang.System\n"
                             "static final PrintStream System.out\n"
                             "static long System.nanoTime()\n"
                             "xxxx\n"
                             "java.io.PrintStream\n"
                             "void PrintStream.print(String)\n"
                             "void PrintStream.println()\n"
                             "void PrintStream.println(String)\n"
                             "xxxx\n";

} // namespace

class TestCompletionWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void keyOrMenuOpensTheListAndEnterInserts_data();
    void keyOrMenuOpensTheListAndEnterInserts();
    void typingNarrowsAndEscCloses();
    void singleCandidateGoesInAtOnce();
    void keyIsUsedByNoOtherItem();

private:
    TFMDIQuill *OpenWindow(const QByteArray &text, bool color);
    CompletionPopup *Popup() const {
        return qobject_cast<CompletionPopup *>(QApplication::activePopupWidget());
    }
    static QString Text(TFMDIQuill *window) { return window->ActiveMemo()->toPlainText(); }
    void PutCaretAtEnd(TFMDIQuill *window) {
        QTextCursor cursor = window->ActiveMemo()->textCursor();
        cursor.movePosition(QTextCursor::End);
        window->ActiveMemo()->setTextCursor(cursor);
    }

    // The insert is one snapshot whose predecessor is the text before it, as a typed key is:
    // undo walks from the inserted text straight back to `before`.
    static void ExpectOneUndoStep(TFMDIQuill *window, const QString &before) {
        const QString inserted = Text(window);
        const UndoHistory &undo = window->UndoStore();
        const int top = undo.UndoTop();
        QCOMPARE(undo.UndoPos(), top);
        QCOMPARE(undo.UndoStates(top).text, inserted);
        QCOMPARE(undo.UndoStates(top - 1).text, before);
        window->MenuItem("MnRueckgaengig")->trigger();
        window->MenuItem("MnRueckgaengig")->trigger();
        QCOMPARE(Text(window), before);
    }

    CompletionIndex m_index;
    TestEnv *m_env = nullptr;
    RecordingUi *m_ui = nullptr;
    FakeEditorHost *m_host = nullptr;
    QPointer<TFMDIQuill> m_window;
};

void TestCompletionWindow::initTestCase() {
    m_index = CompletionIndex::build(JavaClassList::fromText(QString::fromLatin1(kClasses)));
}

void TestCompletionWindow::init() {
    m_env = new TestEnv;
    Settings::AutoSave = false;
    Settings::UndoMitKeyUp = true;
    m_ui = new RecordingUi;
    m_host = new FakeEditorHost;
    m_host->completionIndex = &m_index;
}

void TestCompletionWindow::cleanup() {
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    delete m_window.data();
    delete m_host;
    delete m_ui;
    delete m_env;
}

TFMDIQuill *TestCompletionWindow::OpenWindow(const QByteArray &text, bool color) {
    m_window = new TFMDIQuill(*m_host);
    m_host->windows << m_window;
    if (!m_window->InitDocument(m_env->writeFile("T.java", text), TNewFile()))
        return nullptr;
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        return nullptr;
    m_window->MenuItem(color ? "MnSetMemoColor" : "MnSerMemoSW")->trigger();
    m_window->ActiveMemo()->setFocus();
    PutCaretAtEnd(m_window);
    return m_window;
}

void TestCompletionWindow::keyOrMenuOpensTheListAndEnterInserts_data() {
    QTest::addColumn<bool>("color");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("colour view, key") << true << true;
    QTest::newRow("colour view, menu") << true << false;
    QTest::newRow("monochrome view, key") << false << true;
    QTest::newRow("monochrome view, menu") << false << false;
}

void TestCompletionWindow::keyOrMenuOpensTheListAndEnterInserts() {
    QFETCH(bool, color);
    QFETCH(bool, byKey);
    TFMDIQuill *window = OpenWindow("System.out.pr", color);
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    QCOMPARE(memo == window->MemoColor(), color);
    // The state before the command is an undo entry of its own.
    QTest::keyClick(memo, Qt::Key_End);

    if (byKey)
        QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    else
        window->MenuItem("MnWortVervollstaendigen")->trigger();
    CompletionPopup *popup = Popup();
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    QStringList shown;
    for (const CompletionCandidate &c : popup->shown())
        shown << c.text;
    QCOMPARE(shown, (QStringList{"print", "println", "println"}));
    QVERIFY(popup->list()->item(2)->text().contains(QStringLiteral("void println(String)")));
    QCOMPARE(Text(window), QStringLiteral("System.out.pr")); // nothing inserted yet

    // Down twice to println(String); Enter puts the caret inside its parentheses.
    QTest::keyClick(popup->list(), Qt::Key_Down);
    QTest::keyClick(popup->list(), Qt::Key_Down);
    QTest::keyClick(popup->list(), Qt::Key_Return);
    QVERIFY(!Popup());
    QCOMPARE(Text(window), QStringLiteral("System.out.println()"));
    QCOMPARE(memo->textCursor().position(), 19);
    QVERIFY(window->Modified());

    ExpectOneUndoStep(window, QStringLiteral("System.out.pr"));
}

void TestCompletionWindow::typingNarrowsAndEscCloses() {
    TFMDIQuill *window = OpenWindow("System.", true);
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    window->MenuItem("MnWortVervollstaendigen")->trigger();
    CompletionPopup *popup = Popup();
    QVERIFY(popup);
    QCOMPARE(popup->shown().size(), 2);

    // Typing goes into the text and narrows the list; Tab inserts a method without
    // parameters with the caret after its parentheses.
    QTest::keyClicks(popup->list(), "na");
    QCOMPARE(Text(window), QStringLiteral("System.na"));
    QCOMPARE(popup->shown().size(), 1);
    QTest::keyClick(popup->list(), Qt::Key_Tab);
    QCOMPARE(Text(window), QStringLiteral("System.nanoTime()"));
    QCOMPARE(memo->textCursor().position(), 17);

    // Esc closes and leaves the text alone.
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "System.");
    const QString before = Text(window);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    popup = Popup();
    QVERIFY(popup);
    QTest::keyClick(popup->list(), Qt::Key_Escape);
    QVERIFY(!Popup());
    QCOMPARE(Text(window), before);
}

void TestCompletionWindow::singleCandidateGoesInAtOnce() {
    TFMDIQuill *window = OpenWindow("int zaehlerWert;\nzaeh", false);
    QVERIFY(window);
    QTest::keyClick(window->ActiveMemo(), Qt::Key_End);
    QTest::keyClick(window->ActiveMemo(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!Popup());
    QCOMPARE(Text(window), QStringLiteral("int zaehlerWert;\nzaehlerWert"));
    ExpectOneUndoStep(window, QStringLiteral("int zaehlerWert;\nzaeh"));
}

void TestCompletionWindow::keyIsUsedByNoOtherItem() {
    const QList<KeyInUse> keys = TFMDIQuill::KeysInUse();
    qsizetype uses = 0;
    for (const KeyInUse &key : keys)
        uses += key.key == QStringLiteral("Strg+Leer");
    QCOMPARE(uses, 1);
}

QTEST_MAIN(TestCompletionWindow)
#include "tst_completionwindow.moc"
