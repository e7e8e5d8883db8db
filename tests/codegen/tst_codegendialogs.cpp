#include "codegen/Snippets.h"
#include "codegen/TextEditSnippetTarget.h"
#include "codegen/TFNewDataTyp.h"
#include "codegen/TFNewJavaFile.h"

#include "RecordingUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestCodegenDialogs : public QObject {
    Q_OBJECT

private slots:
    void wizardControls() {
        TFNewJavaFile w;
        QCOMPARE(w.Notebook1->currentIndex(), 0);
        QCOMPARE(w.focusWidget(), w.EDateiname);
        QCOMPARE(w.MDI_NameInternalFrame->text(), u"myInternalFrame"_s);
        QVERIFY(!w.cbJFrameElement->isEditable()); // only the eight elements
        QCOMPARE(w.cbJFrameElement->count(), 8);
        QCOMPARE(w.cbSDIElement1->itemText(2), u"JEditorPane (Ascii, HTML gut, RTF)"_s);
        QCOMPARE(w.cbSDIElement2->itemText(2), u"JEditorPane (Ascii, HTML, RTF)"_s);
        QVERIFY(!w.cbSDIElement2->isEnabled());

        const QList<QRadioButton *> kinds{w.rbJFrameDialog,   w.rbJFrameSDI,       w.rbJFrameMDI,
                                          w.rbJDialog,        w.rbJFrameBoxLayout, w.rbKonsolepur,
                                          w.rbKonsoleBrenntal};
        for (int page = int(kinds.size()) - 1; page >= 0; --page) {
            kinds.at(page)->click();
            QCOMPARE(w.Notebook1->currentIndex(), page);
        }
        w.cbrFrame_SDI_Split->click();
        QVERIFY(w.cbSDIElement2->isEnabled());
        QCOMPARE(w.LElement1->text(), u"1. Element"_s);
        w.cbrFrame_SDI_Split->click();
        QVERIFY(!w.cbSDIElement2->isEnabled());
        QCOMPARE(w.LElement1->text(), u"Element"_s);
    }

    void wizardOkReadsTheShownPage() {
        RecordingUi ui;
        TFNewJavaFile w;
        w.EDateiname->setText(u" Fenster "_s);
        w.rbJFrameSDI->click();
        w.cbrFrame_SDI_Split->click();
        w.cbSDIElement1->setCurrentIndex(6);
        w.cbSDIElement2->setCurrentIndex(4);
        w.spAnzZusSchalter->setValue(3); // another page's option
        w.BnOK->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const TNewFile &r = w.Result();
        QCOMPARE(r.ClassName + r.SdiVar1 + r.SdiVar2, u"FensterjtreeLjlistR"_s);
        QCOMPARE(QList<int>({r.Kind, r.SdiElement1, r.SdiElement2, r.ButtonCount}),
                 QList<int>({2, 7, 5, 0}));
        QVERIFY(ui.boxes.isEmpty());
    }

    void wizardRejectedOkThenCancel() {
        RecordingUi ui;
        TFNewJavaFile w;
        w.EDateiname->setText(u"Haupt"_s);
        w.rbJFrameMDI->click();
        w.MDI_NameInternalFrame->clear();
        w.BnOK->click();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().icon, MsgIcon::Error);
        QCOMPARE(ui.boxes.first().caption, u"Fehler"_s);
        QCOMPARE(ui.boxes.first().text,
                 u"Bitte einen Namen für die Klasse JInternalFrame eingeben"_s);
        QCOMPARE(w.focusWidget(), w.MDI_NameInternalFrame);
        QCOMPARE(w.EDateiname->text(), u"Haupt"_s); // input kept
        w.BnEsc->click();
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(w.Result().Kind, 0);
    }

    // A class name that would not compile: the message, the focus back in the field that holds
    // it, the dialog open; a lower-case first letter only gets a hint in the status line.
    void wizardRejectsNamesThatCannotCompile() {
        RecordingUi ui;
        TFNewJavaFile w;
        w.EDateiname->setText(u"Mein Programm"_s);
        w.BnOK->setFocus();
        w.BnOK->click();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().icon, MsgIcon::Error);
        QCOMPARE(ui.boxes.first().caption, u"Fehler"_s);
        QCOMPARE(ui.boxes.first().text, u"Der Klassenname darf keine Leerzeichen enthalten."_s);
        QCOMPARE(w.focusWidget(), w.EDateiname);
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(w.Result().Kind, 0);

        ui.clear();
        w.EDateiname->setText(u"myInternalFrame"_s);
        w.rbJFrameMDI->click();
        w.BnOK->setFocus();
        w.BnOK->click();
        QCOMPARE(ui.texts(), QStringList{u"Der Name der Klasse JInternalFrame muss sich vom "
                                         u"Klassennamen unterscheiden."_s});
        QCOMPARE(w.focusWidget(), w.MDI_NameInternalFrame);

        w.EDateiname->setText(u"Verwaltung"_s);
        QCOMPARE(w.StatusBar1->currentMessage(), QString());
        w.EDateiname->setText(u"verwaltung"_s);
        QCOMPARE(w.StatusBar1->currentMessage(),
                 u"Hinweis: Klassennamen beginnen üblicherweise mit einem Großbuchstaben."_s);
        ui.clear();
        w.BnOK->click();
        QVERIFY(ui.boxes.isEmpty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.Result().ClassName, u"verwaltung"_s);
    }

    void dataTypDialogRejectsNamesThatCannotCompile() {
        RecordingUi ui;
        TFNewDataTyp d;
        d.EName->setText(u"1zahl"_s);
        d.RString->click();
        d.RString->setFocus();
        d.BnOk->click();
        QCOMPARE(ui.texts(), QStringList{u"Ein Name beginnt mit einem Buchstaben oder \"_\"."_s});
        QCOMPARE(ui.boxes.first().caption, u"Hinweis"_s);
        QCOMPARE(ui.boxes.first().icon, MsgIcon::Warning);
        QCOMPARE(d.focusWidget(), d.EName);
        QVERIFY(!d.Accepted());
        d.EName->setText(u"zahl"_s);
        d.BnOk->click();
        QVERIFY(d.Accepted());
        QCOMPARE(d.Name() + u' ' + d.Type(), u"zahl String"_s);
    }

    void dataTypDialog() {
        RecordingUi ui;
        TFNewDataTyp d;
        QCOMPARE(d.RShort->text(), u"Short (-32768 Þ 32767)"_s);
        QVERIFY(d.RInt->isChecked());
        d.EName->setText(u"Größe"_s);
        d.BnOk->click();
        QCOMPARE(ui.texts(),
                 QStringList{u"Bitte keine deutschen Sonderzeichen im Namen eingeben"_s});
        QCOMPARE(ui.boxes.first().icon, MsgIcon::Warning);
        QCOMPARE(ui.boxes.first().caption, u"Hinweis"_s);
        QCOMPARE(d.focusWidget(), d.EName);
        QCOMPARE(d.Name(), u"Größe"_s);
        d.BnAbbruch->click(); // after a rejected OK
        QVERIFY(!d.Accepted());

        d.EName->setText(u"wert "_s);
        d.RString->click();
        d.BnOk->click();
        QVERIFY(d.Accepted());
        QCOMPARE(d.Name() + d.Type(), u"wert String"_s);
    }

    void textControlLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret"); // character position
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<QString>("afterSyso");
        const QString s = u"    System.out.println(\"\");"_s;
        QTest::newRow("middle line") << u"a\nb\nc"_s << 2 << 3 << 1 << "a\n" + s + "\nb\nc";
        QTest::newRow("first line") << u"a\nb"_s << 0 << 2 << 0 << "a\n" + s + "\nb";
        QTest::newRow("final break adds no line")
            << u"a\nb\n"_s << 4 << 2 << 2 << "a\nb\n" + s + "\n";
        QTest::newRow("one line without break") << u"a"_s << 1 << 1 << 0 << "a\n" + s;
        QTest::newRow("empty text") << QString() << 0 << 0 << 0 << s + "\n";
    }

    void textControlLines() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, count);
        QFETCH(int, caretLine);
        QFETCH(QString, afterSyso);
        QPlainTextEdit edit(text);
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(caret);
        edit.setTextCursor(cursor);
        TextEditSnippetTarget target(&edit);
        QCOMPARE(target.lineCount(), count);
        QCOMPARE(target.caretLine(), caretLine);

        InsertCaretSnippet(target, CaretSnippet::Syso);
        QCOMPARE(edit.toPlainText(), afterSyso);
        QVERIFY(edit.document()->isModified());
        // A caret at the start of its line stays there, below the snippet.
        if (caretLine > 0 && caretLine < count)
            QCOMPARE(edit.textCursor().position(), caret + afterSyso.size() - text.size());
        edit.undo(); // one step takes the whole snippet back
        QCOMPARE(edit.toPlainText(), text);
    }
};

QTEST_MAIN(TestCodegenDialogs)
#include "tst_codegendialogs.moc"
