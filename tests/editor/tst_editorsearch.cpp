// Search, replace, incremental search, view switching and printing through the real editor
// window, offscreen.

#include "editor/EditorMessage.h"
#include "editor/FindDialog.h"
#include "editor/MDIQuill.h"
#include "editor/ReplaceDialog.h"

#include "colormemo/ColorMemo.h"
#include "FakeEditorHost.h"
#include "RecordingDesktop.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>

namespace {

QString PdfText(const QString &pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfInfo(const QString &pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestEditorSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findAndFindAgain_data();
    void findAndFindAgain();
    void replaceAndReplaceAll();
    void incrementalPrompt();
    void switchingViews();
    void printing();

private:
    TFMDIQuill *Window(const QString &text);
    void Trigger(const char *item) { m_window->MenuItem(QLatin1String(item))->trigger(); }
    QString Selected() const { return m_window->ActiveMemo()->textCursor().selectedText(); }
    int SelStart() const { return m_window->ActiveMemo()->textCursor().selectionStart(); }
    void SetCaret(int position) {
        QTextCursor cursor = m_window->ActiveMemo()->textCursor();
        cursor.setPosition(position);
        m_window->ActiveMemo()->setTextCursor(cursor);
    }

    TestEnv *m_env = nullptr;
    RecordingUi *m_ui = nullptr;
    RecordingDesktop *m_desktop = nullptr;
    FakeEditorHost *m_host = nullptr;
    QPointer<TFMDIQuill> m_window;
};

void TestEditorSearch::init() {
    m_env = new TestEnv;
    Settings::AutoSave = false;
    m_ui = new RecordingUi;
    m_desktop = new RecordingDesktop;
    m_host = new FakeEditorHost;
}

void TestEditorSearch::cleanup() {
    if (m_window) {
        m_window->ActiveMemo()->SetModified(false);
        delete m_window.data();
    }
    delete m_host;
    delete m_desktop;
    delete m_ui;
    delete m_env;
}

TFMDIQuill *TestEditorSearch::Window(const QString &text) {
    const QString file = m_env->writeFile(QStringLiteral("Hallo.java"), text.toUtf8());
    m_window = new TFMDIQuill(*m_host);
    m_host->windows << m_window.data();
    if (!m_window->InitDocument(file, TNewFile()))
        return nullptr;
    m_window->show();
    return m_window;
}

void TestEditorSearch::findAndFindAgain_data() {
    QTest::addColumn<bool>("fromCursorSetting");
    QTest::newRow("SucheAmAktuellenCursor off") << false;
    QTest::newRow("SucheAmAktuellenCursor on") << true;
}

void TestEditorSearch::findAndFindAgain() {
    // The setting is not read: every search starts next to the caret.
    QFETCH(bool, fromCursorSetting);
    Settings::SucheAmAktuellenCursor = fromCursorSetting;
    QVERIFY(Window(QStringLiteral("Hallo x hallo y HALLO.")));

    // F3 before anything was searched does nothing.
    Trigger("MnWeitersuchen");
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(SelStart(), 0);

    // Ctrl+F proposes the word at the caret; the find skips the match at the caret.
    Trigger("MnSuchen");
    FindDialog *dialog = m_window->FindDialog1();
    QVERIFY(dialog->isVisible() && !dialog->isModal());
    QVERIFY(!dialog->WholeWordBox()->isHidden() && !dialog->WholeWordBox()->isEnabled());
    QVERIFY(dialog->DownButton()->isChecked());
    QCOMPARE(dialog->FindText(), QStringLiteral("Hallo"));
    dialog->FindButton()->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(SelStart(), 8);
    QCOMPARE(Selected(), QStringLiteral("hallo"));
    Trigger("MnWeitersuchen");
    QCOMPARE(SelStart(), 16);
    // At the last match: the box with the compared text, the selection stays.
    Trigger("MnWeitersuchen");
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Suchen"));
    QCOMPARE(m_ui->boxes[0].icon, MsgIcon::Warning);
    QCOMPARE(m_ui->boxes[0].text,
             QStringLiteral("Der Suchstring\r\nHALLO\r\nkonnte nicht gefunden werden"));
    QCOMPARE(SelStart(), 16);
    QCOMPARE(Selected(), QStringLiteral("HALLO"));

    // Before a space the dialog keeps its text; upwards finds the nearest match before.
    SetCaret(13);
    Trigger("MnSuchen");
    QCOMPARE(dialog->FindText(), QStringLiteral("Hallo"));
    dialog->UpButton()->setChecked(true);
    dialog->MatchCaseBox()->setChecked(true);
    dialog->FindButton()->click();
    QCOMPARE(SelStart(), 0);
}

void TestEditorSearch::replaceAndReplaceAll() {
    QVERIFY(Window(QStringLiteral("x abab ab")));
    Trigger("MnSuchenErsetzen");
    ReplaceDialog *dialog = m_window->ReplaceDialog1();
    QVERIFY(dialog->isVisible() && !dialog->isModal());
    QCOMPARE(dialog->findChildren<QCheckBox *>().size(), 1); // match case; no whole word
    dialog->SetFindText(QStringLiteral("AB"));
    dialog->SetReplaceText(QStringLiteral("Q"));
    // Find selects without replacing; the dialog stays.
    dialog->FindButton()->click();
    QCOMPARE(SelStart(), 2);
    QVERIFY(dialog->isVisible());
    // Replace: the selected match goes, the next one is selected.
    dialog->ReplaceButton()->click();
    QCOMPARE(m_window->ActiveMemo()->toPlainText(), QStringLiteral("x Qab ab"));
    QCOMPARE(SelStart(), 6);
    QCOMPARE(Selected(), QStringLiteral("ab"));
    QVERIFY(m_window->Modified());
    // Replace on the last match: replaced, then both boxes.
    dialog->ReplaceButton()->click();
    QCOMPARE(m_window->ActiveMemo()->toPlainText(), QStringLiteral("x Qab Q"));
    QCOMPARE(m_ui->texts(), (QStringList{"Der Suchstring\r\nAB\r\nkonnte nicht gefunden werden",
                                         "Der Suchstring\r\nAB\r\nkonnte nicht gefunden werden"}));
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Suchen"));
    QCOMPARE(m_ui->boxes[1].caption, QStringLiteral("Suchen/Ersetzen"));
    QCOMPARE(SelStart(), 7);

    // Replace all from the start: touching matches get only the first replaced; one box.
    m_ui->clear();
    m_window->ActiveMemo()->setPlainText(QStringLiteral("ababab ab"));
    SetCaret(0);
    // The window keeps its own history and switches the control's off; the control's is used
    // here only to count the edits.
    m_window->ActiveMemo()->setUndoRedoEnabled(true);
    dialog->SetFindText(QStringLiteral("ba"));
    dialog->SetReplaceText(QStringLiteral("--"));
    dialog->ReplaceAllButton()->click();
    QCOMPARE(m_window->ActiveMemo()->toPlainText(), QStringLiteral("a--bab ab"));
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Suchen"));
    QCOMPARE(m_window->ActiveMemo()->textCursor().position(), 3);
    // One edit: one undo step brings the whole text back.
    m_window->ActiveMemo()->undo();
    QCOMPARE(m_window->ActiveMemo()->toPlainText(), QStringLiteral("ababab ab"));

    // An empty search text does nothing at all.
    m_ui->clear();
    dialog->SetFindText(QString());
    emit dialog->Replace(true);
    emit dialog->Find();
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestEditorSearch::incrementalPrompt() {
    QVERIFY(Window(QStringLiteral("abc")));
    TMemo *memo = m_window->ActiveMemo();
    memo->setFocus();
    Trigger("MnIncrementielleSuche");
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach"));
    QCOMPARE(m_window->StatusPanel(1), QString());
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("Ende mit ESC"));
    QCOMPARE(m_desktop->beeps, 1);
    // Typing goes into the text as usual; the prompt stays until Esc.
    QTest::keyClick(memo, Qt::Key_X);
    QCOMPARE(memo->toPlainText(), QStringLiteral("xabc"));
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("Ende mit ESC"));
    QTest::keyClick(memo, Qt::Key_Escape);
    QCOMPARE(m_window->StatusPanel(2), QString());
    QCOMPARE(memo->toPlainText(), QStringLiteral("xabc"));
}

void TestEditorSearch::switchingViews() {
    QVERIFY(Window(QStringLiteral("a\tb")));
    TColorMemo *color = m_window->MemoColor();
    TMemo *mono = m_window->MemoSW();
    QCOMPARE(m_window->ActiveMemo(), color);
    // The view already shown: text and caret stay.
    SetCaret(2);
    Trigger("MnSetMemoColor");
    QCOMPARE(color->textCursor().position(), 2);
    QCOMPARE(color->toPlainText(), QStringLiteral("a\tb"));

    // To monochrome with an unsaved edit: text unchanged, still modified.
    color->textCursor().insertText(QStringLiteral("\t"));
    QVERIFY(m_window->Modified());
    Trigger("MnSerMemoSW");
    QCOMPARE(m_window->ActiveMemo(), mono);
    QCOMPARE(m_window->Notebook1()->currentIndex(), 1);
    QCOMPARE(mono->toPlainText(), QStringLiteral("a\t\tb"));
    QCOMPARE(mono->textCursor().position(), 0);
    QVERIFY(m_window->Modified());
    // Back to colour: tabs become two spaces, and the close question still asks.
    Trigger("MnSetMemoColor");
    QCOMPARE(m_window->ActiveMemo(), color);
    QCOMPARE(color->toPlainText(), QStringLiteral("a    b"));
    QVERIFY(m_window->Modified());
    m_ui->boxAnswers.enqueue(MsgButton::Cancel);
    QVERIFY(!m_window->close());
    QCOMPARE(m_ui->boxes.size(), 1);
    QCOMPARE(m_ui->boxes[0].caption, QStringLiteral("Bestätigen"));

    // Back and forth without changes: the monochrome view keeps its caret.
    SetCaret(0);
    Trigger("MnSerMemoSW");
    QTextCursor cursor = mono->textCursor();
    cursor.setPosition(3);
    mono->setTextCursor(cursor);
    Trigger("MnSetMemoColor");
    Trigger("MnSerMemoSW");
    QCOMPARE(mono->textCursor().position(), 3);
}

void TestEditorSearch::printing() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QStringList lines;
    for (int i = 1; i <= 70; ++i)
        lines << QStringLiteral("int zeile%1 = %1;").arg(i);
    QVERIFY(Window(lines.join(u'\n') + u'\n'));
    const QString pdf = m_env->path(QStringLiteral("druck.pdf"));

    // A cancelled print dialog prints nothing; so does message 1039 answered the same way.
    Trigger("MnDrucken");
    EditorMessageEvent message(1039);
    QCoreApplication::sendEvent(m_window, &message);
    QCOMPARE(m_ui->printRequests, 2);
    QVERIFY(!QFile::exists(pdf));

    // Page set-up: landscape, kept for the next print.
    m_ui->pageSetupAnswers.enqueue([](QPrinter &printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    Trigger("MnDruckerSetup");
    QCOMPARE(m_ui->pageSetupRequests, 1);
    // A cancelled set-up changes nothing.
    m_ui->pageSetupAnswers.enqueue([](QPrinter &printer) {
        printer.setPageOrientation(QPageLayout::Portrait);
        return false;
    });
    Trigger("MnDruckerSetup");

    m_ui->printAnswers.enqueue([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    Trigger("MnDrucken");
    QVERIFY(QFile::exists(pdf));
    QVERIFY(m_ui->boxes.isEmpty());
    const QString info = PdfInfo(pdf);
    QVERIFY2(info.contains(QStringLiteral("landscape")) ||
                 info.contains(
                     QRegularExpression(QStringLiteral("Page size:\\s+8\\d\\d(\\.\\d+)? x 59"))),
             qPrintable(info));
    QStringList read;
    for (const QString &line : PdfText(pdf).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            read << line.simplified();
    }
    QVERIFY2(read.size() > 3, qPrintable(read.join(u'\n')));
    QCOMPARE(read[0], QStringLiteral("Hallo.java"));
    QCOMPARE(read[1], QStringLiteral("1 ") + lines[0]);
    QVERIFY(read.contains(QStringLiteral("Seite 1")));
    QVERIFY(!read.contains(QStringLiteral("71"))); // the final line break starts no line

    // A file that cannot be written: the error box, nothing else.
    m_ui->printAnswers.enqueue([&](QPrinter &printer) {
        printer.setOutputFileName(m_env->path(QStringLiteral("fehlt/druck.pdf")));
        return true;
    });
    Trigger("MnDrucken");
    QCOMPARE(m_ui->texts(), QStringList{"Das Dokument konnte nicht gedruckt werden."});
}

QTEST_MAIN(TestEditorSearch)
#include "tst_editorsearch.moc"
