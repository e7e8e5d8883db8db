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

#include <algorithm>

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
    void proposedWordIsSelected();
    void wholeWordInFindAndReplace();
    void everyMatchOverPieceCuts();
    void incrementalSearch();
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
    QVERIFY(!dialog->WholeWordBox()->isHidden() && dialog->WholeWordBox()->isEnabled());
    QVERIFY(!dialog->WholeWordBox()->isChecked());
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
    QCOMPARE(dialog->findChildren<QCheckBox *>().size(), 2); // match case and whole word
    QVERIFY(!dialog->WholeWordBox()->isChecked());
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
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("1 Stelle ersetzt"));
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

void TestEditorSearch::proposedWordIsSelected() {
    QVERIFY(Window(QStringLiteral("import java.util.Scanner;\nnextInt")));
    Trigger("MnSuchen");
    FindDialog *dialog = m_window->FindDialog1();
    QCOMPARE(dialog->TextEdit()->selectedText(), QStringLiteral("import"));
    // Typing replaces the proposed word instead of appending to it.
    QTest::keyClicks(dialog->TextEdit(), QStringLiteral("nextInt"));
    QCOMPARE(dialog->FindText(), QStringLiteral("nextInt"));
    dialog->FindButton()->click();
    QCOMPARE(Selected(), QStringLiteral("nextInt"));
    // Opened again before a blank: the kept text is selected as well.
    SetCaret(6);
    Trigger("MnSuchen");
    QCOMPARE(dialog->TextEdit()->selectedText(), QStringLiteral("nextInt"));
}

void TestEditorSearch::wholeWordInFindAndReplace() {
    const QString text =
        QStringLiteral("int zahl = zahlen + zahl_2 + Zahl;\nzahl++; // $zahl zahl");
    QVERIFY(Window(text));
    Trigger("MnSuchen");
    FindDialog *find = m_window->FindDialog1();
    find->SetFindText(QStringLiteral("zahl"));
    find->WholeWordBox()->setChecked(true);
    find->FindButton()->click();
    QCOMPARE(SelStart(), 4);
    Trigger("MnWeitersuchen"); // not in "zahlen" nor "zahl_2"
    QCOMPARE(SelStart(), 29);
    Trigger("MnWeitersuchen");
    QCOMPARE(SelStart(), 35);
    Trigger("MnWeitersuchen"); // not in "$zahl"
    QCOMPARE(SelStart(), 52);
    find->UpButton()->setChecked(true);
    Trigger("MnWeitersuchen");
    QCOMPARE(SelStart(), 35);
    QVERIFY(m_ui->boxes.isEmpty());

    // The replace dialog has the same option, off until chosen.
    SetCaret(0);
    Trigger("MnSuchenErsetzen");
    ReplaceDialog *replace = m_window->ReplaceDialog1();
    QVERIFY(!replace->WholeWordBox()->isChecked());
    replace->SetFindText(QStringLiteral("zahl"));
    replace->SetReplaceText(QStringLiteral("n"));
    replace->WholeWordBox()->setChecked(true);
    replace->ReplaceAllButton()->click();
    QCOMPARE(m_window->ActiveMemo()->toPlainText(),
             QStringLiteral("int n = zahlen + zahl_2 + n;\nn++; // $zahl n"));
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("4 Stellen ersetzt"));
    // A selected part of a word is not replaced when whole words are asked for.
    QTextCursor cursor = m_window->ActiveMemo()->textCursor();
    cursor.setPosition(8);
    cursor.setPosition(12, QTextCursor::KeepAnchor);
    m_window->ActiveMemo()->setTextCursor(cursor);
    QCOMPARE(Selected(), QStringLiteral("zahl"));
    replace->ReplaceButton()->click();
    QVERIFY(m_window->ActiveMemo()->toPlainText().startsWith(QStringLiteral("int n = zahlen")));
    // Without the option, replace all takes every occurrence.
    m_ui->clear();
    SetCaret(0);
    replace->WholeWordBox()->setChecked(false);
    replace->ReplaceAllButton()->click();
    QCOMPARE(m_window->ActiveMemo()->toPlainText(),
             QStringLiteral("int n = nen + n_2 + n;\nn++; // $n n"));
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("3 Stellen ersetzt"));
}

void TestEditorSearch::everyMatchOverPieceCuts() {
    // 400 lines with a word twice in each: the window's copy of the text is cut into pieces
    // of some thousand characters, and one of the 800 runs over a cut.
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("    zaehler = zaehler + %1; // Zeile %2").arg(i % 7).arg(i + 1);
    const QString text = lines.join(u'\n') + u'\n';
    std::vector<int> starts;
    for (qsizetype at = text.indexOf(u"zaehler"); at >= 0; at = text.indexOf(u"zaehler", at + 1))
        starts.push_back(int(at));
    QCOMPARE(starts.size(), size_t(800));
    QVERIFY(std::any_of(starts.begin(), starts.end(),
                        [](int at) { return at / 4096 != (at + 6) / 4096; }));
    QVERIFY(Window(text));

    // F3 downwards visits every one, then upwards back again.
    Trigger("MnSuchen");
    FindDialog *find = m_window->FindDialog1();
    find->SetFindText(QStringLiteral("ZAEHLER"));
    find->FindButton()->click();
    std::vector<int> visited{SelStart()};
    for (int i = 1; i < 800; ++i) {
        Trigger("MnWeitersuchen");
        visited.push_back(SelStart());
    }
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(visited, starts);
    Trigger("MnWeitersuchen");
    QCOMPARE(m_ui->boxes.size(), 1);
    find->UpButton()->setChecked(true);
    std::vector<int> back;
    for (int i = 1; i < 800; ++i) {
        Trigger("MnWeitersuchen");
        back.push_back(SelStart());
    }
    std::reverse(back.begin(), back.end());
    QCOMPARE(back, std::vector<int>(starts.begin(), starts.end() - 1));

    // "Alle ersetzen" from the start replaces all 800.
    m_ui->clear();
    SetCaret(0);
    Trigger("MnSuchenErsetzen");
    ReplaceDialog *replace = m_window->ReplaceDialog1();
    replace->SetFindText(QStringLiteral("zaehler"));
    replace->SetReplaceText(QStringLiteral("summe"));
    replace->ReplaceAllButton()->click();
    QString expected = text;
    expected.replace(QStringLiteral("zaehler"), QStringLiteral("summe"));
    QCOMPARE(m_window->ActiveMemo()->toPlainText(), expected);
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("800 Stellen ersetzt"));
}

void TestEditorSearch::incrementalSearch() {
    const QString text =
        QStringLiteral("import java.util.Scanner;\nint prima = 1; // PRIMA Größe\nprint(prima);\n");
    QVERIFY(Window(text));
    TMemo *memo = m_window->ActiveMemo();
    memo->setFocus();
    SetCaret(3);
    // Ctrl+I by key; its release leaves the prompt standing.
    QTest::keyClick(memo, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach: "));
    QCOMPARE(m_window->StatusPanel(1), QString());
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("Ende mit ESC"));
    QCOMPARE(m_desktop->beeps, 1);

    // Each character selects the first match from where the search began, ignoring case;
    // nothing reaches the text.
    QTest::keyClick(memo, Qt::Key_P, Qt::NoModifier);
    QCOMPARE(SelStart(), 30);
    QCOMPARE(Selected(), QStringLiteral("p"));
    QTest::keyClicks(memo, QStringLiteral("rim"));
    QCOMPARE(Selected(), QStringLiteral("prim"));
    QCOMPARE(SelStart(), 30);
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach: prim"));
    QCOMPARE(memo->toPlainText(), text);
    // F3 and Ctrl+I go on to the next match.
    QTest::keyClick(memo, Qt::Key_F3);
    QCOMPARE(SelStart(), 44);
    QCOMPARE(Selected(), QStringLiteral("PRIM"));
    QTest::keyClick(memo, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(SelStart(), 62);
    QCOMPARE(m_desktop->beeps, 1);
    // None further: a beep, the selection stays.
    QTest::keyClick(memo, Qt::Key_F3);
    QCOMPARE(m_desktop->beeps, 2);
    QCOMPARE(SelStart(), 62);
    QTest::keyClick(memo, Qt::Key_X);
    QCOMPARE(m_desktop->beeps, 3);
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach: primx"));
    QCOMPARE(SelStart(), 62);
    // Backspace goes back step by step.
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QCOMPARE(SelStart(), 44);
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach: prim"));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QCOMPARE(SelStart(), 30);
    QCOMPARE(Selected(), QStringLiteral("pri"));
    // The editor's folding: ö matches Ö, ß stays ß.
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach: "));
    QCOMPARE(SelStart(), 3);
    QTest::keyClicks(memo, QStringLiteral("GRÖß"));
    QCOMPARE(Selected(), QStringLiteral("Größ"));
    QCOMPARE(memo->toPlainText(), text);
    QCOMPARE(m_desktop->beeps, 3);

    // Enter ends it: the selection stays, the prompt goes, the text is unchanged.
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(Selected(), QStringLiteral("Größ"));
    QCOMPARE(memo->toPlainText(), text);
    QCOMPARE(m_window->StatusPanel(2), QString());
    QVERIFY(m_window->StatusPanel(0).startsWith(QStringLiteral("Zeile: 2")));
    // From then on keys type again.
    QTest::keyClick(memo, Qt::Key_End);
    QTest::keyClick(memo, Qt::Key_Z);
    QVERIFY(memo->toPlainText().contains(QStringLiteral("Größez")));

    // A caret key ends it too and leaves the selection; so do Esc and a click.
    SetCaret(0);
    QTest::keyClick(memo, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_I, Qt::ControlModifier); // nothing typed: the last text again
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Suchen nach: GRÖß"));
    QCOMPARE(Selected(), QStringLiteral("Größ"));
    QTest::keyClick(memo, Qt::Key_Right);
    QCOMPARE(Selected(), QStringLiteral("Größ"));
    QCOMPARE(m_window->StatusPanel(2), QString());
    SetCaret(0);
    QTest::keyClick(memo, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_J);
    QTest::keyClick(memo, Qt::Key_Escape);
    QCOMPARE(Selected(), QStringLiteral("j"));
    QCOMPARE(m_window->StatusPanel(2), QString());
    QTest::keyClick(memo, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(m_window->StatusPanel(2), QStringLiteral("Ende mit ESC"));
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(m_window->StatusPanel(2), QString());
    QCOMPARE(m_window->StatusPanel(0), QStringLiteral("Zeile: 1  Spalte: 1"));
    QVERIFY(memo->toPlainText().startsWith(QStringLiteral("import java")));
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
