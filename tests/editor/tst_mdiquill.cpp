#include "editor/EditorMessage.h"
#include "editor/MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "colormemo/GutterArea.h"
#include "FakeEditorHost.h"

#include "codegen/JavaSource.h"
#include "codegen/Snippets.h"
#include "FileSizeLimit.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

namespace {

QByteArray ReadBytes(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The editor window as the tests open it.
class ProbeWindow : public TFMDIQuill {
    Q_OBJECT
public:
    using TFMDIQuill::TFMDIQuill;
};

} // namespace

class TestMDIQuill : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formHasMenusAndControls();
    void menuItemsCallTheFrame();
    void initDocumentLoadsExistingFile();
    void initDocumentKeepsRequestedNameWhenMissing();
    void unreadableFileOpensNothing();
    void notTextFileOpensWithANotice_data();
    void notTextFileOpensWithANotice();
    void closeQuestion_data();
    void closeQuestion();
    void unmodifiedDocumentClosesWithoutQuestion();
    void viewSwitchThatReplacedTabsAsksOnClose();
    void marksStayThroughViewSwitchesAndSave();
    void failedSaveKeepsDocumentAndWindow();
    void readOnlyTargetTurnsSaveIntoSaveAs();
    void saveAsRefusesAFileOpenInAnotherWindow();
    void backupHoldsPreviousContent();
    void backupOfALinkKeepsTheLink();
    void fullDiskSaveKeepsFileAndBackup();
    void buildShortcutsFollowSettings();
    void ruleColorsFollowSettings();
    void unsavedDocumentRoundTripsByteIdentical_data();
    void unsavedDocumentRoundTripsByteIdentical();
    void editedMixedLineBreaksFollowTheFirst();
    void updateReloadsWithoutQuestion();
    void insertFileSetsMaxLength();
    void saveSelectionWritesBlock();
    void dosWindowsConversionMarksDocumentChanged();
    void snippetKeysNeedExactlyCtrlShift();
    void wizardDocumentAndSnippetKeys();
    void privateMessagesDriveTheWindow();
    void menuKeysWinOverTheTextControl();
    void activationInMdiAreaTellsTheFrame();

private:
    ProbeWindow *NewWindow();
    ProbeWindow *OpenWindow(const QString &name);

    TestEnv *m_env = nullptr;
    RecordingUi *m_ui = nullptr;
    FakeEditorHost *m_host = nullptr;
    QList<QPointer<ProbeWindow>> m_windows;
};

void TestMDIQuill::init() {
    m_env = new TestEnv;
    Settings::AutoSave = false;
    Settings::EditorPfad.clear();
    m_ui = new RecordingUi;
    m_host = new FakeEditorHost;
}

void TestMDIQuill::cleanup() {
    for (const QPointer<ProbeWindow> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    delete m_host;
    delete m_ui;
    delete m_env;
}

ProbeWindow *TestMDIQuill::NewWindow() {
    auto *window = new ProbeWindow(*m_host);
    m_windows << window;
    m_host->windows << window;
    return window;
}

ProbeWindow *TestMDIQuill::OpenWindow(const QString &name) {
    ProbeWindow *window = NewWindow();
    if (!window->InitDocument(name, TNewFile()))
        return nullptr;
    return window;
}

void TestMDIQuill::formHasMenusAndControls() {
    ProbeWindow *window = NewWindow();
    QStringList titles;
    for (QMenu *menu : window->Menus())
        titles << menu->title();
    QCOMPARE(titles, QStringList({"&Datei", "&Bearbeiten", "&Suchen", "&Einfügen", "&Ansicht",
                                  "&Versionen", "&Compiler / Run", "&Debuggen"}));
    for (const char *hidden :
         {"MainVersionen", "MnInsertKlasse", "MnSetMainJava", "MnRun_leer2", "MnBuildAllerDateien",
          "MnRun_leer3", "MnStrichAlteDateien", "MnAlteDatei1", "MnAlteDatei9"})
        QVERIFY2(!window->MenuItem(QLatin1String(hidden))->isVisible(), hidden);
    QCOMPARE(window->MenuItem("MnInsertKlasse")->text(), QStringLiteral("Klasse\tStrg+Shift+C"));
    QCOMPARE(window->MenuItem("MnInsertGridBagLayout")->text(),
             QStringLiteral("GridBagLayout\tStrg+Shift+G"));
    QCOMPARE(window->MenuItem("MnSuchenErsetzen")->text(), QStringLiteral("Suchen && &Ersetzen"));
    QCOMPARE(window->MenuItem("MnSpeichern")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(window->MenuItem("MnWiderrufen")->shortcut(),
             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    QCOMPARE(window->MenuItem("MnCompiler")->shortcut(), QKeySequence(Qt::Key_F8));
    QCOMPARE(window->MenuItem("MnRun")->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(window->MenuItem("MnDOSEbene")->toolTip(),
             QStringLiteral("Wechseln zur DOS-Ebene (Bitte mit EXIT verlassen)"));
    QCOMPARE(window->ActiveMemo(), static_cast<TMemo *>(window->MemoColor()));
    QCOMPARE(window->Notebook1()->currentIndex(), 0);
    QCOMPARE(window->SaveFilter().size(), 2);
    QCOMPARE(window->SaveFilter().first(), FileFilter("Java-Dateien (*.Java)", "*.Java"));
    QCOMPARE(window->FileName(), QStringLiteral("noname"));
    window->SetStatusPanel(2, QStringLiteral("Ende mit ESC"));
    QCOMPARE(window->StatusPanel(2), QStringLiteral("Ende mit ESC"));
    QCOMPARE(window->StatusPanel(3), QString());
}

void TestMDIQuill::menuItemsCallTheFrame() {
    ProbeWindow *window = NewWindow();
    for (const char *item : {"MnNeu", "MnOeffnen", "MnSpeichernAlle", "MnAlleSchliessen",
                             "MnTaschenrechner", "MnExplorer", "MnDOSEbene", "MnNotepad", "MnExit"})
        window->MenuItem(QLatin1String(item))->trigger();
    QCOMPARE(m_host->calls,
             QStringList({"MnNeuClick", "MnOeffnenClick", "SaveAllWindows", "CloseAllWindows",
                          "MnTaschenrechnerClick", "MnExplorerClick", "MnDOSEbeneClick",
                          "MnNotepadClick", "MnExitClick"}));
}

void TestMDIQuill::initDocumentLoadsExistingFile() {
    m_host->recentFiles = QStringList({"/tmp/Alt.java"});
    const QString name = m_env->writeFile("src/Hallo.java", "class Hallo {\r\n}\r\n");
    ProbeWindow *window = OpenWindow(name);
    QVERIFY(window);
    QCOMPARE(window->FileName(), name);
    QCOMPARE(window->FileBase(), QStringLiteral("Hallo"));
    QCOMPARE(window->FileExt(), QStringLiteral(".java"));
    QVERIFY(window->FileDir().endsWith(QStringLiteral("src/")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Hallo.java"));
    QCOMPARE(window->ActiveMemo()->toPlainText(), QStringLiteral("class Hallo {\n}\n"));
    QCOMPARE(window->ActiveMemo()->MaxLength(), 18 + 40000);
    QCOMPARE(window->ActiveMemo()->textCursor().position(), 0);
    QVERIFY(!window->Modified());
    QVERIFY(m_host->calls.contains("BuildRecentFileItems"));
    QVERIFY(window->MenuItem("MnAlteDatei1")->isVisible());
    QCOMPARE(window->MenuItem("MnAlteDatei1")->text(), QStringLiteral("&1. /tmp/Alt.java"));
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestMDIQuill::initDocumentKeepsRequestedNameWhenMissing() {
    const QString name = m_env->path("java/Hallo.java");
    ProbeWindow *window = OpenWindow(name);
    QVERIFY(window);
    QCOMPARE(window->FileName(), QStringLiteral("noname"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Hallo.java"));
    QCOMPARE(window->FileBase(), QStringLiteral("Hallo"));
    window->ActiveMemo()->setPlainText("x");
    window->MnSpeichernClick();
    QCOMPARE(m_ui->saveRequests.size(), 1);
    QCOMPARE(m_ui->saveRequests[0].title, QStringLiteral("Datei speichern unter"));
    QCOMPARE(m_ui->saveRequests[0].fileName, QStringLiteral("Hallo.java"));
    QCOMPARE(m_ui->saveRequests[0].defaultSuffix, QStringLiteral("java"));
    QCOMPARE(window->FileName(), QStringLiteral("noname"));

    // A wizard document without a requested name proposes its class name.
    TNewFile wizard;
    wizard.ClassName = QStringLiteral("Konto");
    wizard.Kind = 1;
    ProbeWindow *fresh = NewWindow();
    QVERIFY(fresh->InitDocument(QString(), wizard));
    QCOMPARE(fresh->windowTitle(), QStringLiteral("Konto.java"));
    QCOMPARE(fresh->FileName(), QStringLiteral("noname"));
}

void TestMDIQuill::unreadableFileOpensNothing() {
    ProbeWindow *window = NewWindow();
    QVERIFY(!window->InitDocument(m_env->dir(), TNewFile()));
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Fehler"));
    QCOMPARE(m_ui->boxes[0].icon, MsgIcon::Error);
    QVERIFY(m_ui->boxes[0].text.contains(QStringLiteral("Verzeichnis")));
    QVERIFY(window->ActiveMemo()->toPlainText().isEmpty());
}

void TestMDIQuill::notTextFileOpensWithANotice_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("notice");
    QTest::newRow("nul bytes") << QByteArray("\xCA\xFE\xBA\xBE\0\0\0\x41 Rechner", 16) << true;
    QTest::newRow("no text in any code page") << QByteArray("\x02\x03\x81\xFF\x04 Daten\n") << true;
    QTest::newRow("ansi umlauts") << QByteArray("// Gr\xFC\xDF"
                                                "e \xC4\xD6\xDC\r\nclass A {}\r\n")
                                  << false;
    QTest::newRow("utf8 umlauts") << QByteArray("// Gr\xC3\xBC\xC3\x9F"
                                                "e \xC3\x81\xC3\x9D\nclass A {}\n")
                                  << false;
    // Written on DOS: 0x81 is the DOS "ü", which the conversion command turns into text.
    QTest::newRow("dos umlauts") << QByteArray("// Gr\x81\xE1"
                                               "e\r\n")
                                 << false;
}

void TestMDIQuill::notTextFileOpensWithANotice() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, notice);
    const QString name = m_env->writeFile("Daten.bin", bytes);
    ProbeWindow *window = OpenWindow(name);
    QVERIFY(window);
    QCOMPARE(window->FileName(), name);
    QVERIFY(!window->ActiveMemo()->toPlainText().isEmpty());
    if (!notice) {
        QVERIFY(m_ui->boxes.isEmpty());
        return;
    }
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Hinweis"));
    QCOMPARE(m_ui->boxes[0].icon, MsgIcon::Warning);
    QCOMPARE(m_ui->boxes[0].text, TextFile::NotTextNotice(name));
    QVERIFY(m_ui->boxes[0].text.contains(QStringLiteral("keine Textzeichen")));
    QVERIFY(m_ui->boxes[0].text.contains(QStringLiteral("Speichern kann sie verändern.")));
    // Reading it again says so again; the file itself is never touched by opening.
    window->MnUpdateClick();
    QCOMPARE(m_ui->boxes.size(), 2);
    QCOMPARE(ReadBytes(name), bytes);
}

void TestMDIQuill::closeQuestion_data() {
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAsAnswer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("fileAfter");
    const int yes = int(MsgButton::Yes), no = int(MsgButton::No), cancel = int(MsgButton::Cancel);
    QTest::newRow("named yes saves") << true << yes << QString() << true << QByteArray("neu");
    QTest::newRow("named no") << true << no << QString() << true << QByteArray("alt");
    QTest::newRow("named cancel") << true << cancel << QString() << false << QByteArray("alt");
    QTest::newRow("noname yes, save as cancelled")
        << false << yes << QString() << false << QByteArray("<missing>");
    QTest::newRow("noname yes, save as") << false << yes << "Neu.java" << true << QByteArray("neu");
    QTest::newRow("noname no") << false << no << QString() << true << QByteArray("<missing>");
    QTest::newRow("noname cancel")
        << false << cancel << QString() << false << QByteArray("<missing>");
}

void TestMDIQuill::closeQuestion() {
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(QString, saveAsAnswer);
    QFETCH(bool, closes);
    QFETCH(QByteArray, fileAfter);
    const QString file = named ? m_env->writeFile("Alt.java", "alt") : m_env->path("Neu.java");
    ProbeWindow *window = OpenWindow(file);
    QVERIFY(window);
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText("neu");
    QVERIFY(window->Modified());
    m_ui->boxAnswers.enqueue(MsgButton(answer));
    if (!saveAsAnswer.isEmpty())
        m_ui->saveAnswers.enqueue(m_env->path(saveAsAnswer));

    QPointer<ProbeWindow> guard(window);
    QCOMPARE(window->close(), closes);

    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].icon, MsgIcon::Question);
    QCOMPARE(m_ui->boxes[0].buttons,
             QList<MsgButton>({MsgButton::Yes, MsgButton::No, MsgButton::Cancel}));
    QCOMPARE(m_ui->boxes[0].text, named
                                      ? QStringLiteral("Änderungen nach '%1' speichern?").arg(file)
                                      : QStringLiteral("Möchten Sie die Änderungen speichern?"));
    QCOMPARE(m_host->forgotten.size(), closes ? 1 : 0);
    QCOMPARE(ReadBytes(file), fileAfter);
    if (closes)
        QTRY_VERIFY(guard.isNull());
    else
        QVERIFY(window->isVisible() || !guard.isNull());
}

void TestMDIQuill::unmodifiedDocumentClosesWithoutQuestion() {
    ProbeWindow *window = OpenWindow(m_env->writeFile("A.java", "a"));
    QVERIFY(window->close());
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(m_host->forgotten.size(), 1);
    // A second close request of the closed window neither asks nor forgets it again.
    window->ActiveMemo()->SetModified(true);
    window->close();
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(m_host->forgotten.size(), 1);
}

void TestMDIQuill::viewSwitchThatReplacedTabsAsksOnClose() {
    // Monochrome and back to colour: the unedited tabs became two spaces each.
    ProbeWindow *window = OpenWindow(m_env->writeFile("T.java", "class T {\n\tint x;\n}\n"));
    QVERIFY(window);
    QVERIFY(!window->Modified());
    window->MenuItem("MnSerMemoSW")->trigger();
    QVERIFY(!window->Modified()); // the text went over unchanged
    window->MenuItem("MnSetMemoColor")->trigger();
    QCOMPARE(window->ActiveMemo()->toPlainText(), QStringLiteral("class T {\n  int x;\n}\n"));
    QVERIFY(window->Modified());
    m_ui->boxAnswers.enqueue(MsgButton::Cancel);
    QVERIFY(!window->close());
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].text,
             QStringLiteral("Änderungen nach '%1' speichern?").arg(window->FileName()));

    // A text without tabs switches back and forth unmodified and closes without a question.
    ProbeWindow *plain = OpenWindow(m_env->writeFile("P.java", "class P {\n  int x;\n}\n"));
    QVERIFY(plain);
    plain->MenuItem("MnSerMemoSW")->trigger();
    plain->MenuItem("MnSetMemoColor")->trigger();
    QVERIFY(!plain->Modified());
    QVERIFY(plain->close());
    QCOMPARE(m_ui->boxes.size(), 1);
}

void TestMDIQuill::marksStayThroughViewSwitchesAndSave() {
    const QString name = m_env->writeFile("M.java", "class M {\n\tint x;\n  int y;\n}\n");
    ProbeWindow *window = OpenWindow(name);
    QVERIFY(window);
    window->resize(500, 300);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    TColorMemo *color = window->MemoColor();
    QCOMPARE(window->MemoSW()->document(), color->document());
    window->Marks().Set(1, LineMarkKind::Error, QStringLiteral("Fehler hier"));
    window->Marks().Set(2, LineMarkKind::Breakpoint, QString());
    QTextCursor cursor(color->document());
    cursor.insertText(QStringLiteral("// neu\n"));
    const QList<LineMarkAt> marks{{2, {LineMarkKind::Error, QStringLiteral("Fehler hier")}},
                                  {3, {LineMarkKind::Breakpoint, QString()}}};
    QCOMPARE(window->Marks().All(), marks);

    // The gutter paints the error as a red dot beside its line; its tool tip is the text.
    auto *gutter = color->findChild<TCMGutterArea *>();
    QVERIFY(gutter);
    const QRect line = color->cursorRect(QTextCursor(color->document()->findBlockByNumber(2)));
    const int y =
        line.center().y() + color->viewport()->geometry().top() - color->contentsRect().top();
    QCOMPARE(gutter->LineAt(y), 2);
    color->viewport()->repaint();
    const QImage image = gutter->grab().toImage();
    // The dot stands in the right half, clear of the left-aligned numbers.
    int dotAt = -1;
    for (int x = 0; x < image.width() && dotAt < 0; ++x)
        if (image.pixelColor(x, y) == TCMGutterArea::MarkColor(LineMarkKind::Error))
            dotAt = x;
    QVERIFY(dotAt > image.width() / 2);
    QHelpEvent help(QEvent::ToolTip, QPoint(6, y), gutter->mapToGlobal(QPoint(6, y)));
    QCoreApplication::sendEvent(gutter, &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("Fehler hier"));

    // Two view switches: the tab became two spaces inside a marked line; the marks stay.
    window->MenuItem("MnSerMemoSW")->trigger();
    QCOMPARE(window->Marks().All(), marks);
    window->MenuItem("MnSetMemoColor")->trigger();
    QCOMPARE(color->document()->findBlockByNumber(2).text(), QStringLiteral("  int x;"));
    QCOMPARE(window->Marks().All(), marks);
    // Undo gives the tab back in one step (the first undo shows the newest snapshot).
    window->MnRueckgaengigClick();
    window->MnRueckgaengigClick();
    QCOMPARE(color->document()->findBlockByNumber(2).text(), QStringLiteral("\tint x;"));
    QCOMPARE(window->Marks().All(), marks);
    window->MnWiderrufenClick();
    window->MnWiderrufenClick();
    QCOMPARE(color->document()->findBlockByNumber(2).text(), QStringLiteral("  int x;"));
    QCOMPARE(window->Marks().All(), marks);

    // A save keeps them; a reload from the file starts without marks.
    window->MnSpeichernClick();
    QCOMPARE(ReadBytes(name), QByteArray("// neu\nclass M {\n  int x;\n  int y;\n}\n"));
    QCOMPARE(window->Marks().All(), marks);
    window->MnUpdateClick();
    QVERIFY(window->Marks().IsEmpty());
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestMDIQuill::failedSaveKeepsDocumentAndWindow() {
    // A name so long that no temporary file fits beside it: the write fails even for root.
    const QString name = m_env->writeFile(QString(250, u'x'), "alt");
    ProbeWindow *window = OpenWindow(name);
    QVERIFY(window);
    window->ActiveMemo()->insertPlainText("neu ");
    m_ui->boxAnswers.enqueue(MsgButton::Yes);
    QVERIFY(!window->close());
    QCOMPARE(m_ui->boxes.size(), 2);
    QCOMPARE(m_ui->boxes[1].caption, QStringLiteral("Fehler"));
    QVERIFY(m_ui->boxes[1].text.contains(QStringLiteral("nicht gespeichert")));
    QVERIFY(window->Modified());
    QCOMPARE(ReadBytes(name), QByteArray("alt"));
    QVERIFY(m_host->forgotten.isEmpty());
}

void TestMDIQuill::readOnlyTargetTurnsSaveIntoSaveAs() {
    const QString locked = m_env->writeFile("Fest.java", "fest");
    ProbeWindow *window = OpenWindow(locked);
    // The read-only attribute is the owner's write bit; it holds even for root.
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
    window->ActiveMemo()->insertPlainText("x");
    // The dialog comes first; a read-only choice brings it back; then a writable name.
    m_ui->saveAnswers.enqueue(locked);
    m_ui->saveAnswers.enqueue(m_env->path("Frei.java"));
    window->MnSpeichernClick();
    QCOMPARE(m_ui->saveRequests.size(), 2);
    QCOMPARE(ReadBytes(locked), QByteArray("fest"));
    QCOMPARE(ReadBytes(m_env->path("Frei.java")), QByteArray("xfest"));
    QCOMPARE(window->FileName(), m_env->path("Frei.java"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Frei.java"));
    QVERIFY(!window->Modified());
}

void TestMDIQuill::saveAsRefusesAFileOpenInAnotherWindow() {
    const QString shared = m_env->writeFile("Offen.java", "offen");
    ProbeWindow *owner = OpenWindow(shared);
    owner->ActiveMemo()->insertPlainText("ungespeichert ");
    ProbeWindow *window = NewWindow();
    QVERIFY(window->InitDocument(m_env->path("Neu.java"), TNewFile()));
    window->ActiveMemo()->insertPlainText("neu");
    // The other window's file is refused with a note and the dialog comes back.
    m_ui->saveAnswers.enqueue(shared);
    m_ui->saveAnswers.enqueue(m_env->path("Neu.java"));
    window->MnSpeichernUnterClick();
    QCOMPARE(m_ui->saveRequests.size(), 2);
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes.first().text, QStringLiteral("Datei ist schon geladen\r\n") + shared);
    QCOMPARE(ReadBytes(shared), QByteArray("offen"));
    QCOMPARE(ReadBytes(m_env->path("Neu.java")), QByteArray("neu"));
    QCOMPARE(window->FileName(), m_env->path("Neu.java"));
    QCOMPARE(owner->FileName(), shared);

    // A window may save as under its own name.
    m_ui->saveAnswers.enqueue(shared);
    owner->MnSpeichernUnterClick();
    QCOMPARE(ReadBytes(shared), QByteArray("ungespeichert offen"));

    // An unnamed window holds no file, not even one called "noname".
    ProbeWindow *blank = NewWindow();
    QVERIFY(blank->InitDocument(m_env->path("Leer.java"), TNewFile()));
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(m_env->dir());
    m_ui->saveAnswers.enqueue(m_env->path("noname"));
    window->MnSpeichernUnterClick();
    QDir::setCurrent(previousDir);
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(ReadBytes(m_env->path("noname")), QByteArray("neu"));
}

void TestMDIQuill::backupHoldsPreviousContent() {
    Settings::AutoSave = true;
    const QString name = m_env->writeFile("Test.java", "eins");
    ProbeWindow *window = OpenWindow(name);
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText("zwei");
    window->MnSpeichernClick();
    QCOMPARE(ReadBytes(name), QByteArray("zwei"));
    QCOMPARE(ReadBytes(m_env->path("Test.~java")), QByteArray("eins"));
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText("drei");
    window->MnSpeichernClick();
    QCOMPARE(ReadBytes(name), QByteArray("drei"));
    QCOMPARE(ReadBytes(m_env->path("Test.~java")), QByteArray("zwei"));
    QVERIFY(m_ui->boxes.isEmpty());

    Settings::AutoSave = false;
    const QString other = m_env->writeFile("Ohne.java", "x");
    ProbeWindow *plain = OpenWindow(other);
    plain->ActiveMemo()->insertPlainText("y");
    plain->MnSpeichernClick();
    QCOMPARE(ReadBytes(other), QByteArray("yx"));
    QVERIFY(!QFile::exists(m_env->path("Ohne.~java")));
}

void TestMDIQuill::backupOfALinkKeepsTheLink() {
    Settings::AutoSave = true;
    const QString target = m_env->writeFile("echt/Test.java", "eins");
    const QString link = m_env->path("Test.java");
    QVERIFY(QFile::link(target, link));
    ProbeWindow *window = OpenWindow(link);
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText("zwei");
    window->MnSpeichernClick();
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadBytes(target), QByteArray("zwei"));
    QCOMPARE(ReadBytes(m_env->path("Test.~java")), QByteArray("eins"));
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText("drei");
    window->MnSpeichernClick();
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadBytes(target), QByteArray("drei"));
    QCOMPARE(ReadBytes(m_env->path("Test.~java")), QByteArray("zwei"));
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestMDIQuill::fullDiskSaveKeepsFileAndBackup() {
    Settings::AutoSave = true;
    const QString name = m_env->writeFile("Voll.java", "alt");
    const QString backup = m_env->writeFile("Voll.~java", "vorher");
    ProbeWindow *window = OpenWindow(name);
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText(QString(4000, u'n'));
    {
        const FileSizeLimit full(1000); // the disk is full after 1000 bytes
        QVERIFY(full.active());
        window->MnSpeichernClick();
    }
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Fehler"));
    QVERIFY(
        m_ui->boxes[0].text.contains(QStringLiteral("Die bisherige Datei bleibt unverändert.")));
    QCOMPARE(ReadBytes(name), QByteArray("alt"));
    QCOMPARE(ReadBytes(backup), QByteArray("vorher"));
    QVERIFY(window->Modified());
    QCOMPARE(QDir(m_env->dir()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestMDIQuill::buildShortcutsFollowSettings() {
    ProbeWindow *window = NewWindow();
    Settings::TastencodeCompiler = QStringLiteral("Umsch+Strg+F12");
    Settings::TastencodeRun = QStringLiteral("Quatsch");
    window->ApplyBuildShortcuts();
    Settings::TastencodeCompiler = QStringLiteral("F8");
    Settings::TastencodeRun = QStringLiteral("F9");
    QCOMPARE(window->MenuItem("MnCompiler")->shortcut(),
             QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F12));
    QVERIFY(window->MenuItem("MnRun")->shortcut().isEmpty());
}

void TestMDIQuill::ruleColorsFollowSettings() {
    const quint32 saved[] = {Settings::Color0, Settings::Color1, Settings::Color2,
                             Settings::Color3};
    Settings::Color0 = 0x010203;
    Settings::Color3 = 0x0A0B0C;
    ProbeWindow *window = NewWindow();
    const TDrawRules &rules = window->MemoColor()->ColorRules();
    QCOMPARE(rules.Count(), 4);
    QCOMPARE(rules.Items(0)->DefKeyColor(), TColor(0x010203));
    QCOMPARE(rules.Items(3)->DefKeyColor(), TColor(0x0A0B0C));
    Settings::Color1 = 0x445566;
    window->ApplyRuleColors();
    QCOMPARE(rules.Items(1)->DefKeyColor(), TColor(0x445566));
    Settings::Color0 = saved[0];
    Settings::Color1 = saved[1];
    Settings::Color2 = saved[2];
    Settings::Color3 = saved[3];
}

void TestMDIQuill::unsavedDocumentRoundTripsByteIdentical_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("utf8 lf") << QByteArray("class \xC3\x84 {\n\tint x;\xC2\xA0\n}\n");
    QTest::newRow("utf8 crlf") << QByteArray("class A {\r\n}\r\n");
    QTest::newRow("utf8 bom lf") << QByteArray("\xEF\xBB\xBF//\xE2\x82\xAC\nx");
    QTest::newRow("utf8 bom crlf") << QByteArray("\xEF\xBB\xBF\r\n\r\n");
    QTest::newRow("1252 lf") << QByteArray("// Gr\xFC\xDF"
                                           "e \xA0\x80\n");
    QTest::newRow("1252 crlf") << QByteArray("// \xE4\r\nclass B {}\r\n");
    QTest::newRow("controls") << QByteArray("a\0b\x01\t\x1F\x0C\n", 9);
    QTest::newRow("controls without nul") << QByteArray("a\x01\t\x1F\x0C\x1A\n");
    QTest::newRow("line separator") << QByteArray("a\xE2\x80\xA8z\n");
    QTest::newRow("mixed line breaks") << QByteArray("a\r\nb\nc\rd\n\r\n");
    QTest::newRow("paragraph separator") << QByteArray("a\xE2\x80\xA9z");
}

void TestMDIQuill::unsavedDocumentRoundTripsByteIdentical() {
    QFETCH(QByteArray, bytes);
    const QString name = m_env->writeFile("R.java", bytes);
    ProbeWindow *window = OpenWindow(name);
    QVERIFY(window);
    // A file with NUL bytes is announced as no text when opened, and saved unchanged.
    if (TextFile::IsNotText(bytes))
        QCOMPARE(m_ui->texts(), QStringList{TextFile::NotTextNotice(name)});
    else
        QVERIFY(m_ui->boxes.isEmpty());
    m_ui->clear();
    window->MnSpeichernClick();
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(ReadBytes(name), bytes);
}

void TestMDIQuill::editedMixedLineBreaksFollowTheFirst() {
    const QString name = m_env->writeFile("Mix.java", "a\r\nb\nc");
    ProbeWindow *window = OpenWindow(name);
    window->ActiveMemo()->moveCursor(QTextCursor::End);
    window->ActiveMemo()->insertPlainText("\nd");
    window->MnSpeichernClick();
    QCOMPARE(ReadBytes(name), QByteArray("a\r\nb\r\nc\r\nd"));
    // Saved once, the new bytes are what an unchanged text is written as.
    window->MnSpeichernClick();
    QCOMPARE(ReadBytes(name), QByteArray("a\r\nb\r\nc\r\nd"));
}

void TestMDIQuill::updateReloadsWithoutQuestion() {
    const QString name = m_env->writeFile("U.java", "eins\n");
    ProbeWindow *window = OpenWindow(name);
    window->ActiveMemo()->insertPlainText("geändert ");
    window->SetStatusPanel(1, "geändert");
    window->MnUpdateClick();
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(window->ActiveMemo()->toPlainText(), QStringLiteral("eins\n"));
    QVERIFY(!window->Modified());
    QCOMPARE(window->StatusPanel(1), QString());

    // Update of an unnamed document fails without touching it.
    ProbeWindow *unnamed = OpenWindow(m_env->path("Fehlt.java"));
    unnamed->ActiveMemo()->setPlainText("behalten");
    unnamed->ActiveMemo()->SetModified(true);
    unnamed->MnUpdateClick();
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(unnamed->ActiveMemo()->toPlainText(), QStringLiteral("behalten"));
    QVERIFY(unnamed->Modified());
}

void TestMDIQuill::insertFileSetsMaxLength() {
    const QString own = m_env->writeFile("Own.java", QByteArray(4999, 'a') + "\n");
    const QString data = m_env->writeFile("Daten.DAT", QByteArray(997, 'b') + "\xC2\xA0\n");
    ProbeWindow *window = OpenWindow(own);
    m_ui->openAnswers.enqueue({data});
    window->MnInsertFileClick();
    QCOMPARE(m_ui->openRequests.size(), 1);
    QCOMPARE(m_ui->openRequests[0].title, QStringLiteral("Datei in das aktuelle Fenster einfügen"));
    QCOMPARE(m_ui->openRequests[0].fileName, QStringLiteral("*.DAT"));
    QCOMPARE(m_ui->openRequests[0].filters.size(), 3);
    QCOMPARE(window->ActiveMemo()->MaxLength(), 46000);
    const QString inserted = QString(997, u'b') + QChar::Nbsp + u'\n';
    QCOMPARE(window->ActiveMemo()->document()->toRawText().left(1000),
             QString(997, u'b') + QChar::Nbsp + QChar::ParagraphSeparator + u'a');
    QCOMPARE(window->ActiveMemo()->textCursor().position(), 999);
    QCOMPARE(QGuiApplication::clipboard()->text().size(), inserted.size());
    QCOMPARE(window->StatusPanel(1), QStringLiteral("geändert"));
    QVERIFY(window->Modified());

    // Cancelling the dialog changes nothing; an unreadable choice only shows the error.
    window->MnInsertFileClick();
    m_ui->openAnswers.enqueue({m_env->dir()});
    window->MnInsertFileClick();
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(window->ActiveMemo()->MaxLength(), 46000);
    QCOMPARE(window->ActiveMemo()->toPlainText().size(), 5000 + 999);
}

void TestMDIQuill::saveSelectionWritesBlock() {
    ProbeWindow *window = OpenWindow(m_env->writeFile("S.java", "eins\nzwei\xC2\xA0\ndrei\n"));
    QTextCursor cursor = window->ActiveMemo()->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(15, QTextCursor::KeepAnchor);
    window->ActiveMemo()->setTextCursor(cursor);
    m_ui->saveAnswers.enqueue(m_env->path("Block.txt"));
    window->MnBlockalsDateiSichernClick();
    QCOMPARE(m_ui->saveRequests[0].title, QStringLiteral("Block speichern unter"));
    QCOMPARE(m_ui->saveRequests[0].fileName, QString());
    QCOMPARE(ReadBytes(m_env->path("Block.txt")), QByteArray("zwei\xC2\xA0\ndrei"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("zwei \ndrei"));
    QVERIFY(!window->Modified());

    // Without a selection the file gets what the clipboard holds.
    QGuiApplication::clipboard()->setText(QStringLiteral("vom Clipboard"));
    cursor.clearSelection();
    window->ActiveMemo()->setTextCursor(cursor);
    m_ui->saveAnswers.enqueue(m_env->path("Leer.txt"));
    window->MnBlockalsDateiSichernClick();
    QCOMPARE(ReadBytes(m_env->path("Leer.txt")), QByteArray("vom Clipboard"));

    // The file of an open document, its own or another window's, is left alone.
    const QString other = m_env->writeFile("T.java", "anderes");
    QVERIFY(OpenWindow(other));
    cursor.setPosition(0);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    window->ActiveMemo()->setTextCursor(cursor);
    m_ui->saveAnswers.enqueue(window->FileName());
    m_ui->saveAnswers.enqueue(other);
    window->MnBlockalsDateiSichernClick();
    window->MnBlockalsDateiSichernClick();
    QCOMPARE(m_ui->boxes.size(), 2);
    QCOMPARE(m_ui->boxes[0].text,
             QStringLiteral("Datei ist schon geladen\r\n") + window->FileName());
    QCOMPARE(m_ui->boxes[1].text, QStringLiteral("Datei ist schon geladen\r\n") + other);
    QCOMPARE(ReadBytes(window->FileName()), QByteArray("eins\nzwei\xC2\xA0\ndrei\n"));
    QCOMPARE(ReadBytes(other), QByteArray("anderes"));
}

void TestMDIQuill::dosWindowsConversionMarksDocumentChanged() {
    // "Grüße" written on DOS, read as Windows text.
    const QString name = m_env->writeFile("D.java", "x\nGr\x81\xE1"
                                                    "e\n");
    ProbeWindow *window = OpenWindow(name);
    QTextCursor cursor = window->ActiveMemo()->textCursor();
    cursor.movePosition(QTextCursor::End);
    window->ActiveMemo()->setTextCursor(cursor);
    window->MnKonverttextvonDOSnachWindowsClick();
    QCOMPARE(window->ActiveMemo()->toPlainText(), QStringLiteral("x\nGrüße\n"));
    QCOMPARE(window->ActiveMemo()->textCursor().position(), 0);
    QVERIFY(window->Modified());
    m_ui->boxAnswers.enqueue(MsgButton::Cancel);
    QVERIFY(!window->close());
    QCOMPARE(m_ui->boxes.size(), 1);

    // Plain ASCII converts to itself: caret and flag stay.
    ProbeWindow *ascii = OpenWindow(m_env->writeFile("E.java", "abc\n"));
    cursor = ascii->ActiveMemo()->textCursor();
    cursor.setPosition(2);
    ascii->ActiveMemo()->setTextCursor(cursor);
    ascii->MnKonverttextvonWindowsnachDOSClick();
    QCOMPARE(ascii->ActiveMemo()->textCursor().position(), 2);
    QVERIFY(!ascii->Modified());
}

void TestMDIQuill::snippetKeysNeedExactlyCtrlShift() {
    QCOMPARE(TFMDIQuill::SnippetCommandForKey(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier),
             QStringLiteral("MnInsertKlasseClick"));
    QCOMPARE(TFMDIQuill::SnippetCommandForKey(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier),
             QStringLiteral("MnInsertSysoClick"));
    QVERIFY(TFMDIQuill::SnippetCommandForKey(Qt::Key_C, Qt::ControlModifier).isEmpty());
    QVERIFY(TFMDIQuill::SnippetCommandForKey(Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier)
                .isEmpty());

    // The class snippet asks for the class name first (cancelled here): each question is
    // one run of the command.
    const auto klasseCalls = [this] {
        return m_ui->inputPrompts.count(QStringLiteral("Klassenamen"));
    };
    ProbeWindow *window = OpenWindow(m_env->writeFile("K.java", "text\n"));
    window->show();
    QTest::keyClick(window->MemoColor(), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    QCOMPARE(klasseCalls(), 0);
    QCOMPARE(window->ActiveMemo()->toPlainText(), QStringLiteral("text\n"));
    QTest::keyClick(window->MemoColor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(klasseCalls(), 1);
    QTest::keyClick(window->MemoSW(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(klasseCalls(), 2);
}

void TestMDIQuill::wizardDocumentAndSnippetKeys() {
    ProbeWindow *window = NewWindow();
    TNewFile description;
    description.Kind = 6;
    description.ClassName = QStringLiteral("Hallo");
    QVERIFY(window->InitDocument(QString(), description));
    QVERIFY(!window->Document().hasFile());
    QCOMPARE(window->FileBase() + window->FileExt(), QStringLiteral("Hallo.java"));
    const QString generated = window->ActiveMemo()->toPlainText();
    QCOMPARE(generated, GenerateJavaSource(description).Lines.join(u'\n') + u'\n');
    QVERIFY(window->Modified());
    QVERIFY(!window->ActiveMemo()->isHidden()); // hidden only while it was filled
    QCOMPARE(window->ActiveMemo()->textCursor().position(), 0);

    // Ctrl+Shift+S puts the output line above the caret's line.
    window->show();
    QTextCursor cursor = window->ActiveMemo()->textCursor();
    cursor.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 3);
    window->ActiveMemo()->setTextCursor(cursor);
    QTest::keyClick(window->MemoColor(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList lines = window->ActiveMemo()->toPlainText().split(u'\n');
    const QStringList syso = CaretSnippetLines(CaretSnippet::Syso);
    const int at = SnippetInsertionIndex(3, generated.count(u'\n'));
    QCOMPARE(lines.mid(at, syso.size()), syso);
    QCOMPARE(lines.size(), generated.split(u'\n').size() + syso.size());
}

void TestMDIQuill::privateMessagesDriveTheWindow() {
    const QString name = m_env->writeFile("M.java", "alt");
    ProbeWindow *window = OpenWindow(name);
    window->ActiveMemo()->selectAll();
    window->ActiveMemo()->insertPlainText("neu");
    EditorMessageEvent save(1064);
    QCoreApplication::sendEvent(window, &save);
    QCOMPARE(ReadBytes(name), QByteArray("neu"));
    QVERIFY(!window->Modified());

    EditorMessageEvent unknown(1050);
    QCoreApplication::sendEvent(window, &unknown);
    QVERIFY(m_ui->boxes.isEmpty());

    QPointer<ProbeWindow> guard(window);
    window->ActiveMemo()->insertPlainText("x");
    m_ui->boxAnswers.enqueue(MsgButton::No);
    QCoreApplication::postEvent(window, new EditorMessageEvent(1045));
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_host->forgotten.size(), 1);
}

void TestMDIQuill::menuKeysWinOverTheTextControl() {
    const QString name = m_env->writeFile("T.java", "abc\n");
    ProbeWindow *window = OpenWindow(name);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    TMemo *memo = window->ActiveMemo();
    QSignalSpy undo(window->MenuItem("MnRueckgaengig"), &QAction::triggered);
    QSignalSpy compile(window->MenuItem("MnCompiler"), &QAction::triggered);
    QSignalSpy selectAll(window->MenuItem("MnAllesmarkieren"), &QAction::triggered);

    // Ctrl+Z is also a binding of the text control itself; the menu item wins.
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(undo.size(), 1);
    QTest::keyClick(memo, Qt::Key_F8);
    QCOMPARE(compile.size(), 1);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selectAll.size(), 1);
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("abc") + QChar::ParagraphSeparator);
    memo->moveCursor(QTextCursor::Start);

    QTest::keyClicks(memo, "x");
    QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadBytes(name), QByteArray("xabc\n"));
    QVERIFY(!window->Modified());
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestMDIQuill::activationInMdiAreaTellsTheFrame() {
    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    ProbeWindow *first = NewWindow();
    area.addSubWindow(first);
    QVERIFY(first->InitDocument(m_env->writeFile("Eins.java", "1"), TNewFile()));
    ProbeWindow *second = NewWindow();
    area.addSubWindow(second);
    QVERIFY(second->InitDocument(m_env->writeFile("Zwei.java", "2"), TNewFile()));

    m_host->activated.clear();
    m_host->recentFiles = QStringList({"/tmp/Alt.java"});
    area.setActiveSubWindow(first);
    QTRY_COMPARE(m_host->activated.value(0), first);
    QVERIFY(first->MenuItem("MnAlteDatei1")->isVisible());
    area.setActiveSubWindow(second);
    QTRY_COMPARE(m_host->activated.last(), second);

    // Closing through the area asks the same question and forgets the window once.
    QPointer<ProbeWindow> guard(second);
    second->ActiveMemo()->insertPlainText("x");
    m_ui->boxAnswers.enqueue(MsgButton::No);
    area.closeActiveSubWindow();
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_host->forgotten, QList<TFMDIQuill *>({second}));
    QCOMPARE(area.subWindowList().size(), 1);
}

QTEST_MAIN(TestMDIQuill)
#include "tst_mdiquill.moc"
