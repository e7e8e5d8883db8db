// The editor window's build commands end to end: menu items, window messages and the
// frame's panel, with the real JDK.

#include "../editor/FakeEditorHost.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "common/DialogResult.h"
#include "editor/EditorMessage.h"
#include "editor/MDIQuill.h"
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

QTEST_MAIN(TestEditorBuild)
#include "tst_editorbuild.moc"
