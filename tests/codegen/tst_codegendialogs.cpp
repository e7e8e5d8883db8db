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
#include <QtTest>

class TestCodegenDialogs : public QObject {
    Q_OBJECT

private slots:
    void wizardStartsOnTheFirstPage() {
        TFNewJavaFile wizard;
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Neues Java-Dokument"));
        QCOMPARE(wizard.Notebook1->count(), 7);
        QCOMPARE(wizard.Notebook1->currentIndex(), 0);
        QVERIFY(wizard.EDateiname->text().isEmpty());
        QCOMPARE(wizard.focusWidget(), wizard.EDateiname);
        QCOMPARE(wizard.MDI_NameInternalFrame->text(), QStringLiteral("myInternalFrame"));
        QVERIFY(wizard.rbJFrameDialog->isChecked());
        QVERIFY(!wizard.cbJFrameElement->isEditable()); // only the eight elements
        QCOMPARE(wizard.cbJFrameElement->count(), 8);
        QCOMPARE(wizard.cbSDIElement2->itemText(2),
                 QStringLiteral("JEditorPane (Ascii, HTML, RTF)"));
        QVERIFY(!wizard.cbSDIElement2->isEnabled());
        QCOMPARE(wizard.spAnzZusSchalter->maximum(), 5);
        QCOMPARE(wizard.Result().Kind, 0);
    }

    void wizardRadiosAndSplit() {
        TFNewJavaFile wizard;
        const QList<QRadioButton *> kinds{wizard.rbJFrameDialog,    wizard.rbJFrameSDI,
                                          wizard.rbJFrameMDI,       wizard.rbJDialog,
                                          wizard.rbJFrameBoxLayout, wizard.rbKonsolepur,
                                          wizard.rbKonsoleBrenntal};
        for (int page = kinds.size() - 1; page >= 0; --page) {
            kinds.at(page)->click();
            QCOMPARE(wizard.Notebook1->currentIndex(), page);
        }
        wizard.cbrFrame_SDI_Split->click();
        QVERIFY(wizard.cbSDIElement2->isEnabled());
        QCOMPARE(wizard.LElement1->text(), QStringLiteral("1. Element"));
        wizard.cbrFrame_SDI_Split->click();
        QVERIFY(!wizard.cbSDIElement2->isEnabled());
        QCOMPARE(wizard.LElement1->text(), QStringLiteral("Element"));
    }

    void wizardOkReadsTheShownPage() {
        RecordingUi ui;
        TFNewJavaFile wizard;
        wizard.EDateiname->setText(QStringLiteral(" Fenster "));
        wizard.rbJFrameSDI->click();
        wizard.cbrFrame_SDI_Split->click();
        wizard.cbSDIElement1->setCurrentIndex(6);
        wizard.cbSDIElement2->setCurrentIndex(4);
        wizard.spAnzZusSchalter->setValue(3); // another page's option
        wizard.BnOK->click();
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
        const TNewFile &r = wizard.Result();
        QCOMPARE(r.ClassName, QStringLiteral("Fenster"));
        QCOMPARE(r.Kind, 2);
        QCOMPARE(r.SdiVar1 + r.SdiVar2, QStringLiteral("jtreeLjlistR"));
        QCOMPARE(r.SdiElement1 * 10 + r.SdiElement2, 75);
        QCOMPARE(r.ButtonCount, 0);
        QVERIFY(ui.boxes.isEmpty());
    }

    void wizardRejectedOkThenCancel() {
        RecordingUi ui;
        TFNewJavaFile wizard;
        wizard.EDateiname->setText(QStringLiteral("Haupt"));
        wizard.rbJFrameMDI->click();
        wizard.MDI_NameInternalFrame->clear();
        wizard.BnOK->click();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().icon, MsgIcon::Error);
        QCOMPARE(ui.boxes.first().caption, QStringLiteral("Fehler"));
        QCOMPARE(ui.boxes.first().text,
                 QString::fromUtf8("Bitte einen Namen für die Klasse JInternalFrame eingeben"));
        QCOMPARE(wizard.focusWidget(), wizard.MDI_NameInternalFrame);
        QCOMPARE(wizard.EDateiname->text(), QStringLiteral("Haupt")); // input kept
        QCOMPARE(wizard.Result().Kind, 0);
        wizard.BnEsc->click();
        QCOMPARE(wizard.result(), int(QDialog::Rejected));
        QCOMPARE(wizard.Result().Kind, 0);
    }

    void dataTypDialog() {
        RecordingUi ui;
        TFNewDataTyp dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Neuer Datentyp"));
        QCOMPARE(dialog.RShort->text(), QString::fromUtf8("Short (-32768 Þ 32767)"));
        QCOMPARE(dialog.RLong->text(), QString::fromUtf8("Long (-9.22e+18 Þ 9.22e+18)"));
        QVERIFY(dialog.RInt->isChecked());

        dialog.EName->setText(QString::fromUtf8("Größe"));
        dialog.BnOk->click();
        QCOMPARE(ui.texts(), QStringList{QStringLiteral(
                                 "Bitte keine deutschen Sonderzeichen im Namen eingeben")});
        QCOMPARE(ui.boxes.first().icon, MsgIcon::Warning);
        QCOMPARE(ui.boxes.first().caption, QStringLiteral("Hinweis"));
        QCOMPARE(dialog.Name(), QString::fromUtf8("Größe"));
        QVERIFY(!dialog.Accepted());

        dialog.EName->setText(QStringLiteral("wert "));
        dialog.RString->click();
        dialog.BnOk->click();
        QVERIFY(dialog.Accepted());
        QCOMPARE(dialog.Name(), QStringLiteral("wert "));
        QCOMPARE(dialog.Type(), QStringLiteral("String"));
    }

    void dataTypCancelAfterRejectedOk() {
        RecordingUi ui;
        TFNewDataTyp dialog;
        dialog.BnOk->click();
        QCOMPARE(ui.texts(), QStringList{QStringLiteral("Bitte einen Namen eingeben")});
        dialog.BnAbbruch->click();
        QVERIFY(!dialog.Accepted());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void textControlLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret"); // character position
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<QString>("afterSyso");
        const QString s = QStringLiteral("    System.out.println(\"\");");
        QTest::newRow("middle line") << "a\nb\nc" << 3 << 3 << 1 << "a\n" + s + "\nb\nc";
        QTest::newRow("first line") << "a\nb" << 0 << 2 << 0 << "a\n" + s + "\nb";
        QTest::newRow("final break adds no line") << "a\nb\n" << 4 << 2 << 2 << "a\nb\n" + s + "\n";
        QTest::newRow("one line without break") << "a" << 1 << 1 << 0 << "a\n" + s;
        QTest::newRow("empty text") << "" << 0 << 0 << 0 << s + "\n";
    }

    void textControlLines() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, count);
        QFETCH(int, caretLine);
        QFETCH(QString, afterSyso);
        QPlainTextEdit edit;
        edit.setPlainText(text);
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(caret);
        edit.setTextCursor(cursor);
        TextEditSnippetTarget target(&edit);
        QCOMPARE(target.lineCount(), count);
        QCOMPARE(target.caretLine(), caretLine);

        InsertCaretSnippet(target, CaretSnippet::Syso);
        QCOMPARE(edit.toPlainText(), afterSyso);
        QVERIFY(edit.document()->isModified());
        edit.undo(); // one step takes the whole snippet back
        QCOMPARE(edit.toPlainText(), text);
    }

    void textControlCaretAfterSnippet() {
        QPlainTextEdit edit;
        edit.setPlainText(QStringLiteral("x\ny\nz"));
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(4); // line "z"
        edit.setTextCursor(cursor);
        TextEditSnippetTarget target(&edit);
        InsertCaretSnippet(target, CaretSnippet::IfElse);
        QCOMPARE(target.line(2), QStringLiteral("    if () {"));
        QCOMPARE(target.caretLine(), 6); // still on "z", below the snippet
        QCOMPARE(edit.textCursor().positionInBlock(), 0);
    }
};

QTEST_MAIN(TestCodegenDialogs)
#include "tst_codegendialogs.moc"
