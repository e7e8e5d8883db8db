// The check while typing in a real editor window, with the real resident compiler: marks in
// the gutter, underlines in both views, the status bar, the switch, F8's messages.
#include "../javarun/JavaFixture.h"
#include "editor/MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "editor/CheckMarks.h"
#include "editor/LineMarks.h"
#include "editor/WindowLiveCheck.h"
#include "FakeEditorHost.h"
#include "javarun/CheckExplanations.h"
#include "javarun/LiveCheckServer.h"
#include "javarun/WarmCompileRules.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QHelpEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

namespace {

// The frame's part: a real check server and the shipped explanations.
class CheckingHost : public FakeEditorHost {
public:
    LiveCheckServer server;
    CheckExplanations explanations = CheckExplanations::FromFile(
        QStringLiteral(QUILL_DATA_DIR "/") + CheckExplanationsFileName());
    LiveCheckServer *LiveChecks() override { return &server; }
    const CheckExplanations *Explanations() const override { return &explanations; }
};

// The wavy underlines of a text control: the text under each and its colour's name.
QStringList Underlines(const QPlainTextEdit *memo) {
    QStringList found;
    for (const QTextEdit::ExtraSelection &selection : memo->extraSelections())
        if (selection.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            found << selection.cursor.selectedText() + u' ' +
                         selection.format.underlineColor().name();
    return found;
}

const QString Red = QStringLiteral("#dc1e1e");

} // namespace

class TestLiveCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void spans_data();
    void spans();
    void typingATypeMismatchMarksItUntilFixed();
    void anEditDuringACheckYieldsMarksForTheNewerTextOnly();
    void theMonochromeViewShowsTheSameMarks();
    void marksMoveWithEdits();
    void anotherOpenWindowOfTheFolderCounts();
    void theSwitchTakesEveryMarkAway();
    void aNewWindowIsCheckedUnderItsName();
    void aTextTooLongForARequestIsNotChecked();
    void f8MessagesBecomeMarks();

private:
    TFMDIQuill *OpenWindow(const QString &name, const QByteArray &text);
    // Ends the pause at once and waits for the check's marks.
    static bool Checked(TFMDIQuill *window);
    static void SetCaret(TMemo *memo, int position);

    TestEnv *m_env = nullptr;
    RecordingUi *m_ui = nullptr;
    CheckingHost *m_host = nullptr;
    QList<QPointer<TFMDIQuill>> m_windows;
};

void TestLiveCheckWindow::initTestCase() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("javac")).isEmpty(),
             "the tests need the JDK");
    QVERIFY2(
        QFileInfo::exists(QCoreApplication::applicationDirPath() + u'/' + CompileServerClassFile()),
        "the resident compiler is built beside the tests");
}

void TestLiveCheckWindow::init() {
    m_env = new TestEnv;
    Settings::AutoSave = false;
    Settings::Compiler = QStandardPaths::findExecutable(QStringLiteral("javac"));
    Settings::CompilerParameter.clear();
    Settings::FehlerBeimSchreibenMarkieren = true;
    m_ui = new RecordingUi;
    m_host = new CheckingHost;
}

void TestLiveCheckWindow::cleanup() {
    for (const QPointer<TFMDIQuill> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    delete m_host;
    delete m_ui;
    delete m_env;
}

TFMDIQuill *TestLiveCheckWindow::OpenWindow(const QString &name, const QByteArray &text) {
    auto *window = new TFMDIQuill(*m_host);
    m_windows << window;
    m_host->windows << window;
    if (!window->InitDocument(m_env->writeFile(name, text), TNewFile()))
        return nullptr;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    window->ActiveMemo()->setFocus();
    return window;
}

bool TestLiveCheckWindow::Checked(TFMDIQuill *window) {
    QSignalSpy shown(&window->LiveCheck(), &WindowLiveCheck::MarksChanged);
    window->LiveCheck().CheckNow();
    return shown.wait(60000);
}

void TestLiveCheckWindow::SetCaret(TMemo *memo, int position) {
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(position);
    memo->setTextCursor(cursor);
}

void TestLiveCheckWindow::spans_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("endLine");
    QTest::addColumn<int>("endColumn");
    QTest::addColumn<QString>("covered");
    const QString text = QStringLiteral("class A {\n  int wert = 1\n\tx.y(2);\n}");
    QTest::newRow("range") << text << 2 << 6 << 2 << 10 << "wert";
    QTest::newRow("word at the place") << text << 2 << 8 << 2 << 8 << "wert";
    QTest::newRow("word ending at the place") << text << 2 << 14 << 2 << 14 << "1";
    QTest::newRow("sign at the place") << text << 3 << 2 << 3 << 2 << ".";
    QTest::newRow("tab counts one") << text << 3 << 1 << 3 << 1 << "x";
    QTest::newRow("no column: the line") << text << 2 << -1 << 2 << -1 << "int wert = 1";
    QTest::newRow("end of the last line") << text << 4 << 1 << 4 << 1 << "}";
    QTest::newRow("beyond the line") << text << 1 << 40 << 1 << 40 << "{";
    QTest::newRow("beyond the text") << text << 9 << 0 << 9 << 0 << "";
}

void TestLiveCheckWindow::spans() {
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, endLine);
    QFETCH(int, endColumn);
    QFETCH(QString, covered);
    QTextDocument document(text);
    const CheckSpan span = CheckSpanOf(
        document, {DiagnosticKind::Error, line, column, endLine, endColumn, QString(), QString()});
    QCOMPARE(text.mid(span.start, span.end - span.start), covered);
}

void TestLiveCheckWindow::typingATypeMismatchMarksItUntilFixed() {
    TFMDIQuill *window = OpenWindow(QStringLiteral("T.java"), "public class T {\n}\n");
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    QVERIFY(Checked(window));
    QVERIFY(window->Marks().IsEmpty());
    window->Marks().Set(0, LineMarkKind::Breakpoint, QString());

    SetCaret(memo, 17);
    memo->insertPlainText(QStringLiteral("  int x = \"a\";\n"));
    // Typing waits for a pause of 600 ms.
    QVERIFY(window->LiveCheck().Timer()->isActive());
    QCOMPARE(window->LiveCheck().Timer()->interval(), 600);
    QVERIFY(window->LiveCheck().Timer()->isSingleShot());
    QVERIFY(Checked(window));

    const QString message = QStringLiteral("incompatible types: String cannot be converted to int");
    const QString sentence = m_host->explanations.Explain(message);
    QVERIFY(!sentence.isEmpty());
    QCOMPARE(window->Marks().All(),
             QList<LineMarkAt>({{0, {LineMarkKind::Breakpoint, QString()}},
                                {1, {LineMarkKind::Error, message + u'\n' + sentence}}}));
    QCOMPARE(Underlines(window->MemoColor()), QStringList{QStringLiteral("\"a\" ") + Red});
    QCOMPARE(Underlines(window->MemoSW()), QStringList{QStringLiteral("\"a\" ") + Red});
    // The caret stands on the marked line: the status bar explains it.
    QCOMPARE(memo->textCursor().blockNumber(), 2);
    SetCaret(memo, 20);
    QTest::keyClick(memo, Qt::Key_Right);
    QCOMPARE(window->StatusPanel(0),
             QStringLiteral("Fehler: ") + message + QStringLiteral(" – ") + sentence);
    QTest::keyClick(memo, Qt::Key_Up);
    QCOMPARE(window->StatusPanel(0), QStringLiteral("Zeile: 1  Spalte: 5"));
    // Hovering over the underline shows the message and the sentence.
    const QTextBlock line = memo->document()->findBlockByNumber(1);
    QTextCursor at(line);
    at.setPosition(line.position() + 11);
    const QPoint inside = memo->cursorRect(at).center() + QPoint(2, 0);
    QHelpEvent hover(QEvent::ToolTip, inside, memo->viewport()->mapToGlobal(inside));
    QCoreApplication::sendEvent(memo->viewport(), &hover);
    QCOMPARE(QToolTip::text(), message + u'\n' + sentence);
    QToolTip::hideText();

    // Fixed, the mark goes after the next pause; the breakpoint stays.
    QTextCursor fix(line);
    fix.setPosition(line.position() + 10);
    fix.setPosition(line.position() + 13, QTextCursor::KeepAnchor);
    fix.insertText(QStringLiteral("1"));
    QVERIFY(Checked(window));
    QCOMPARE(window->Marks().All(),
             QList<LineMarkAt>({{0, {LineMarkKind::Breakpoint, QString()}}}));
    QCOMPARE(Underlines(window->MemoColor()), QStringList());
    QCOMPARE(Underlines(window->MemoSW()), QStringList());
    // Checks write nothing: no class file, the file on disk as it was.
    QCOMPARE(JavaFixture::ClassFilesBelow(m_env->path(".")), QStringList());
    QVERIFY(window->Modified());
    QFile file(window->FileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("public class T {\n}\n"));
}

void TestLiveCheckWindow::anEditDuringACheckYieldsMarksForTheNewerTextOnly() {
    TFMDIQuill *window =
        OpenWindow(QStringLiteral("T.java"), "public class T {\n  int a = \"x\";\n}\n");
    QVERIFY(window);
    QVERIFY(Checked(window));
    QCOMPARE(window->Marks().All().size(), 1);
    QSignalSpy answered(&m_host->server, &LiveCheckServer::Checked);
    QSignalSpy shown(&window->LiveCheck(), &WindowLiveCheck::MarksChanged);
    // A check of a text with an error on line 3 goes out; before it is answered the error
    // moves to line 2.
    QTextCursor edit(window->ActiveMemo()->document());
    edit.setPosition(QStringLiteral("public class T {\n  int a = ").size());
    edit.setPosition(edit.position() + 3, QTextCursor::KeepAnchor);
    edit.insertText(QStringLiteral("1;\n  boolean b = 2"));
    window->LiveCheck().CheckNow();
    edit.insertText(QStringLiteral("  "));
    QVERIFY(answered.wait(60000));
    // Its answer is for an older text: the marks stay as they were, moved with the text.
    QCOMPARE(shown.size(), 0);
    QCOMPARE(window->Marks().All().size(), 1);
    QVERIFY(Checked(window));
    QCOMPARE(
        window->Marks().All(),
        QList<LineMarkAt>(
            {{2,
              {LineMarkKind::Error,
               QStringLiteral("incompatible types: int cannot be converted to "
                              "boolean\n") +
                   m_host->explanations.Explain(QStringLiteral("incompatible types: int"))}}}));
    QCOMPARE(Underlines(window->MemoColor()), QStringList{QStringLiteral("2 ") + Red});
}

void TestLiveCheckWindow::theMonochromeViewShowsTheSameMarks() {
    TFMDIQuill *window = OpenWindow(QStringLiteral("T.java"), "public class T {\n}\n");
    QVERIFY(window);
    window->MenuItem("MnSerMemoSW")->trigger();
    QCOMPARE(window->ActiveMemo(), window->MemoSW());
    TMemo *memo = window->ActiveMemo();
    SetCaret(memo, 17);
    memo->insertPlainText(QStringLiteral("  void f() { zahl = 1; }\n"));
    QVERIFY(Checked(window));
    QCOMPARE(Underlines(window->MemoSW()), QStringList{QStringLiteral("zahl ") + Red});
    QCOMPARE(Underlines(window->MemoColor()), QStringList{QStringLiteral("zahl ") + Red});
    QCOMPARE(window->Marks().All().size(), 1);
    QCOMPARE(window->Marks().All().first().line, 1);
    // Back in the colour view they stand as they were.
    window->MenuItem("MnSetMemoColor")->trigger();
    QCOMPARE(Underlines(window->MemoColor()), QStringList{QStringLiteral("zahl ") + Red});
}

void TestLiveCheckWindow::marksMoveWithEdits() {
    TFMDIQuill *window =
        OpenWindow(QStringLiteral("T.java"), "public class T {\n  void f() { zahl = 1; }\n}\n");
    QVERIFY(window);
    QVERIFY(Checked(window));
    // Lines typed above the mark move it down with its underline before the next check.
    QTextCursor top(window->ActiveMemo()->document());
    top.insertText(QStringLiteral("// eins\n// zwei\n"));
    QCOMPARE(window->Marks().All().first().line, 3);
    QCOMPARE(window->LiveCheck().Marks().OnLine(3)->range.selectedText(), QStringLiteral("zahl"));
    QVERIFY(window->LiveCheck().Marks().OnLine(1) == nullptr);
}

void TestLiveCheckWindow::anotherOpenWindowOfTheFolderCounts() {
    TFMDIQuill *konto =
        OpenWindow(QStringLiteral("Konto.java"), "public class Konto {\n  int stand;\n}\n");
    TFMDIQuill *bank =
        OpenWindow(QStringLiteral("Bank.java"),
                   "public class Bank {\n  void f(Konto k) { k.einzahlen(5); }\n}\n");
    QVERIFY(konto && bank);
    QVERIFY(Checked(bank));
    QCOMPARE(bank->Marks().All().size(), 1);
    // The method is typed in Konto's window, not saved: Bank's check sees it there.
    QTextCursor cursor(konto->ActiveMemo()->document()->findBlockByNumber(2));
    cursor.insertText(QStringLiteral("  void einzahlen(int b) { stand += b; }\n"));
    QVERIFY(konto->Modified());
    // The end of Konto's pause checks Bank again, as Bank shows marks.
    QSignalSpy bankShown(&bank->LiveCheck(), &WindowLiveCheck::MarksChanged);
    QVERIFY(Checked(konto));
    QVERIFY(bankShown.size() == 1 || bankShown.wait(60000));
    QVERIFY(bank->Marks().IsEmpty());
    // An error in Konto's text is marked in Konto's window, on its line.
    cursor.insertText(QStringLiteral("  int z = \"s\";\n"));
    QVERIFY(Checked(konto));
    QCOMPARE(konto->Marks().All().size(), 1);
    QCOMPARE(konto->Marks().All().first().line, 3);
    QCOMPARE(Underlines(konto->MemoColor()), QStringList{QStringLiteral("\"s\" ") + Red});
    QVERIFY(Checked(bank));
    QVERIFY(bank->Marks().IsEmpty());
    QCOMPARE(JavaFixture::ClassFilesBelow(m_env->path(".")), QStringList());
}

void TestLiveCheckWindow::theSwitchTakesEveryMarkAway() {
    TFMDIQuill *window = OpenWindow(QStringLiteral("T.java"),
                                    "public class T {\n  int a = \"x\";\n  int f() { }\n}\n");
    QVERIFY(window);
    QVERIFY(Checked(window));
    window->Marks().Set(0, LineMarkKind::Breakpoint, QString());
    QCOMPARE(window->Marks().All().size(), 2);
    Settings::FehlerBeimSchreibenMarkieren = false;
    window->ApplyLiveCheckSetting();
    QCOMPARE(window->Marks().All(),
             QList<LineMarkAt>({{0, {LineMarkKind::Breakpoint, QString()}}}));
    QCOMPARE(Underlines(window->MemoColor()), QStringList());
    QCOMPARE(Underlines(window->MemoSW()), QStringList());
    // Typing starts no check while it is off, and F8's messages set no marks.
    QTest::keyClicks(window->ActiveMemo(), "x");
    QVERIFY(!window->LiveCheck().Timer()->isActive());
    QVERIFY(!window->LiveCheck().Enabled());
    // On again, the next pause checks.
    Settings::FehlerBeimSchreibenMarkieren = true;
    window->ApplyLiveCheckSetting();
    QVERIFY(window->LiveCheck().Timer()->isActive());
    QVERIFY(Checked(window));
    QVERIFY(!window->LiveCheck().Marks().IsEmpty());
}

void TestLiveCheckWindow::aNewWindowIsCheckedUnderItsName() {
    auto *window = new TFMDIQuill(*m_host);
    m_windows << window;
    m_host->windows << window;
    // A name that does not exist yet: the window stays without a file.
    QVERIFY(window->InitDocument(m_env->path("Neu.java"), TNewFile()));
    QVERIFY(!window->Document().hasFile());
    window->ActiveMemo()->insertPlainText(
        QStringLiteral("public class Neu {\n  int a = true;\n}\n"));
    QVERIFY(window->LiveCheck().Timer()->isActive());
    QVERIFY(Checked(window));
    QCOMPARE(window->Marks().All().size(), 1);
    QCOMPARE(window->Marks().All().first().line, 1);
    QCOMPARE(Underlines(window->MemoColor()), QStringList{QStringLiteral("true ") + Red});
    QVERIFY(!QFileInfo::exists(m_env->path("Neu.java")));
    QCOMPARE(JavaFixture::ClassFilesBelow(m_env->path(".")), QStringList());
    // A text of another kind is not checked.
    auto *notes = new TFMDIQuill(*m_host);
    m_windows << notes;
    QVERIFY(notes->InitDocument(m_env->writeFile("notiz.txt", "int a = true;\n"), TNewFile()));
    QVERIFY(!notes->LiveCheck().Enabled());
}

void TestLiveCheckWindow::aTextTooLongForARequestIsNotChecked() {
    QByteArray text = "public class T {\n  int a = \"x\";\n";
    while (text.size() <= MaxCheckTextBytes)
        text += "  // " + QByteArray(70, 'x') + "\n";
    TFMDIQuill *window = OpenWindow(QStringLiteral("T.java"), text + "}\n");
    QVERIFY(window);
    QVERIFY(window->LiveCheck().Enabled());
    window->LiveCheck().CheckNow();
    QVERIFY(!m_host->server.Busy());
    QCOMPARE(m_host->server.ProcessId(), 0);
    QVERIFY(window->Marks().IsEmpty());
}

void TestLiveCheckWindow::f8MessagesBecomeMarks() {
    TFMDIQuill *window =
        OpenWindow(QStringLiteral("T.java"), "public class T {\n  void f() { zahl = 1; }\n}\n");
    QVERIFY(window);
    CompileResult result;
    result.ended = true;
    result.exitCode = 1;
    result.diagnostics = {
        {window->FileName(), 2, 14, DiagnosticKind::Error, QStringLiteral("cannot find symbol")},
        {m_env->path("Other.java"), 1, 0, DiagnosticKind::Error, QStringLiteral("elsewhere")},
        {window->FileName(), 3, -1, DiagnosticKind::Warning, QStringLiteral("eine Warnung")}};
    window->ShowCompileMarks(result);
    QCOMPARE(window->Marks().All(),
             QList<LineMarkAt>(
                 {{1,
                   {LineMarkKind::Error,
                    QStringLiteral("cannot find symbol\n") +
                        m_host->explanations.Explain(QStringLiteral("cannot find symbol"))}},
                  {2, {LineMarkKind::Warning, QStringLiteral("eine Warnung")}}}));
    QCOMPARE(Underlines(window->MemoColor()),
             QStringList({QStringLiteral("zahl ") + Red, QStringLiteral("} #f09600")}));
    // A text changed since the compile keeps its marks.
    window->ActiveMemo()->insertPlainText(QStringLiteral(" "));
    result.diagnostics.clear();
    window->ShowCompileMarks(result);
    QCOMPARE(window->Marks().All().size(), 2);
}

QTEST_MAIN(TestLiveCheckWindow)
#include "tst_livecheckwindow.moc"
