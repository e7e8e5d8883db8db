// The editor window's build commands end to end: menu items, window messages and the
// frame's panel, with the real JDK.

#include "../editor/FakeEditorHost.h"
#include "JavaFixture.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/DialogResult.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "editor/EditorMessage.h"
#include "editor/MDIQuill.h"
#include "editor/TextFile.h"
#include "settings/Settings.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray Hallo1252 = "// Gr\xfc\xdf"
                             "e\r\npublic class Hallo {\r\n"
                             "    public static void main(String[] a) {\r\n"
                             "        System.out.println(\"Hallo\");\r\n    }\r\n}\r\n";

QByteArray ReadAll(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEditorBuild : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void compileItemAndMessage();
    void runMessageShowsOutput();
    void compileSaveKeepsTheFileFormat();
    void hiddenItemsChooseMainFileAndBuildAll();
    void windowClosedWhileItsRunMessageWaits();
    void classFileIsNeitherCompiledNorDeleted();

private:
    TFMDIQuill *OpenWindow(const QString &name);

    TestEnv *m_env = nullptr;
    RecordingUi *m_ui = nullptr;
    FakeEditorHost *m_host = nullptr;
    QList<QPointer<TFMDIQuill>> m_windows;
};

void TestEditorBuild::init() {
    m_env = new TestEnv;
    Settings::AutoSave = true;
    Settings::Compiler = QStandardPaths::findExecutable("javac");
    Settings::Run = QStandardPaths::findExecutable("java");
    Settings::CompilerParameter.clear();
    Settings::RunParameter.clear();
    m_ui = new RecordingUi;
    m_host = new FakeEditorHost;
    m_host->umleitung = true;
}

void TestEditorBuild::cleanup() {
    for (const QPointer<TFMDIQuill> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    delete m_host;
    delete m_ui;
    delete m_env;
}

TFMDIQuill *TestEditorBuild::OpenWindow(const QString &name) {
    auto *window = new TFMDIQuill(*m_host);
    m_windows << window;
    m_host->windows << window;
    m_host->mainFiles << name;
    if (!window->InitDocument(name, TNewFile()))
        return nullptr;
    return window;
}

void TestEditorBuild::compileItemAndMessage() {
    const QString source = m_env->writeFile("p/Hallo.java", Hallo1252);
    TFMDIQuill *window = OpenWindow(source);
    QVERIFY(window);
    window->MenuItem("MnCompiler")->trigger();
    QVERIFY(QFile::exists(m_env->path("p/Hallo.class")));
    QCOMPARE(m_host->output.text, "Datei \"" + source + "\"\n\n\n-- Fertig --");
    QVERIFY(window->StatusPanel(1).isEmpty());
    QFile::remove(m_env->path("p/Hallo.class"));
    EditorMessageEvent message(1114);
    QApplication::sendEvent(window, &message);
    QVERIFY(QFile::exists(m_env->path("p/Hallo.class")));
}

void TestEditorBuild::runMessageShowsOutput() {
    const QString source = m_env->writeFile("p/Hallo.java", Hallo1252);
    TFMDIQuill *window = OpenWindow(source);
    EditorMessageEvent message(1115);
    QApplication::sendEvent(window, &message);
    QCOMPARE(m_host->output.text, "Datei \"" + source + "\"\n\n\nHallo\n-- Fertig --");
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestEditorBuild::compileSaveKeepsTheFileFormat() {
    const QString source = m_env->writeFile("p/Hallo.java", Hallo1252);
    TFMDIQuill *window = OpenWindow(source);
    window->ActiveMemo()->moveCursor(QTextCursor::End);
    window->ActiveMemo()->insertPlainText("// Ende\n");
    QVERIFY(window->Modified());
    window->MnCompilerClick();
    QVERIFY(!window->Modified());
    // Same encoding and line breaks as read, and no backup copy for a compile.
    QCOMPARE(ReadAll(source), Hallo1252 + "// Ende\r\n");
    QVERIFY(!QFile::exists(m_env->path("p/Hallo.~java")));
    QVERIFY(QFile::exists(m_env->path("p/Hallo.class")));
}

void TestEditorBuild::hiddenItemsChooseMainFileAndBuildAll() {
    const QString a = m_env->writeFile("m/A.java", "class A {}");
    const QString b = m_env->writeFile("m/B.java", "class B { x }");
    TFMDIQuill *windowA = OpenWindow(a);
    TFMDIQuill *windowB = OpenWindow(b);
    QVERIFY(windowA && windowB);
    m_host->chosen = -1;
    windowB->MenuItem("MnSetMainJava")->trigger();
    QCOMPARE(m_host->chosen, 1);
    windowA->MenuItem("MnBuildAllerDateien")->trigger();
    QVERIFY(QFile::exists(m_env->path("m/A.class")));
    QVERIFY(m_host->output.text.contains("B.java:1: error:"));
}

void TestEditorBuild::windowClosedWhileItsRunMessageWaits() {
    const QString source = m_env->writeFile("p/Hallo.java", Hallo1252);
    const QPointer<TFMDIQuill> window = OpenWindow(source);
    QVERIFY(window);
    m_host->chosen = -1;
    // The user closes the window while its compile waits: the window goes within the
    // waiting, and the message handler must not touch it afterwards.
    bool closed = false;
    QCoreApplication::postEvent(window, new EditorMessageEvent(1115));
    QTimer::singleShot(0, window, [&closed, window] { closed = window->close(); });
    QTRY_VERIFY(window.isNull());
    QVERIFY(closed);
    QVERIFY(m_host->output.text.endsWith("-- Fertig --"));
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestEditorBuild::classFileIsNeitherCompiledNorDeleted() {
    // A learner opens the class file that the compiler wrote and presses F8, F9 and
    // build-all on it.
    const QString source =
        m_env->writeFile("c/Rechner.java", "public class Rechner { public static void "
                                           "main(String[] a) { System.out.println(6 * 7); } }");
    QVERIFY(JavaFixture::Compile({source}));
    const QString classFile = m_env->path("c/Rechner.class");
    const QByteArray bytes = ReadAll(classFile);
    QVERIFY(bytes.startsWith("\xCA\xFE\xBA\xBE"));
    TFMDIQuill *window = OpenWindow(classFile);
    QVERIFY(window);
    QCOMPARE(m_ui->texts(), QStringList{TextFile::NotTextNotice(classFile)});

    const QString notice = QStringLiteral("Nur Java-Quelltexte (*.java) können kompiliert werden.");
    m_ui->clear();
    m_host->output.SetText("vorher");
    window->MenuItem("MnCompiler")->trigger();
    window->MenuItem("MnRun")->trigger();
    window->MenuItem("MnBuildAllerDateien")->trigger();
    EditorMessageEvent compile(1114);
    QApplication::sendEvent(window, &compile);
    QCOMPARE(m_ui->texts(), QStringList(4, notice));
    for (const RecordingUi::Box &box : std::as_const(m_ui->boxes))
        QCOMPARE(box.caption, QStringLiteral("Hinweis"));
    QCOMPARE(ReadAll(classFile), bytes);
    QCOMPARE(m_host->output.text, QStringLiteral("vorher"));

    // Edited, it is not written either: only the save command writes it.
    window->ActiveMemo()->moveCursor(QTextCursor::End);
    window->ActiveMemo()->insertPlainText("x");
    m_ui->clear();
    window->MenuItem("MnCompiler")->trigger();
    QCOMPARE(m_ui->texts(), QStringList{notice});
    QVERIFY(window->Modified());
    QCOMPARE(ReadAll(classFile), bytes);

    // Chosen as the main file, it stops F9 in the Java window before the compile; build-all
    // compiles the Java files only, with one notice for the rest.
    TFMDIQuill *java = OpenWindow(source);
    const QString other = m_env->writeFile("c/Anders.java", "class Anders {}");
    QVERIFY(OpenWindow(other));
    m_host->chosen = 0;
    m_ui->clear();
    java->MenuItem("MnRun")->trigger();
    QCOMPARE(m_ui->texts(), QStringList{notice});
    QCOMPARE(m_host->output.text, QStringLiteral("vorher"));
    QCOMPARE(ReadAll(classFile), bytes);
    m_host->chosen = -1;
    m_ui->clear();
    java->MenuItem("MnBuildAllerDateien")->trigger();
    QCOMPARE(m_ui->texts(), QStringList{notice});
    QVERIFY(QFile::exists(m_env->path("c/Anders.class")));
    QVERIFY(QFile::exists(classFile)); // compiled again from Rechner.java, its own source
    QVERIFY(m_host->output.text.startsWith("Datei \"" + other + "\""));
}

QTEST_MAIN(TestEditorBuild)
#include "tst_editorbuild.moc"
