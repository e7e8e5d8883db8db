#include "javahelp/TFJavaHelp.h"

#include "common/Memo.h"
#include "editor/FindDialog.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>

namespace {

const QByteArray kClasses = "java.awt.List\r\n"
                            "void List.add(String)\r\n"
                            "void List.removeAll()\r\n"
                            "xxxx\r\n"
                            "java.util.ArrayList\r\n"
                            "new java.util.ArrayList()\r\n"
                            "boolean ArrayList.add(E)\r\n"
                            "boolean ArrayList.addAll(Collection)\r\n"
                            "int ArrayList.size()\r\n"
                            "xxxx\r\n"
                            "java.util.List\r\n"
                            "boolean List.add(E)\r\n"
                            "xxxx\r\n"
                            "javax.swing.JButton\r\n"
                            "void AbstractButton.addActionListener(ActionListener)\r\n"
                            "void AbstractButton.setText(String)\r\n"
                            "void Component.add(PopupMenu)"; // last block without "xxxx"

void choose(TFJavaHelp &w, int index) {
    w.cbKlasse()->setCurrentIndex(index);
}

} // namespace

class TestTFJavaHelp : public QObject {
    Q_OBJECT

private slots:
    void missingFileShowsNoticeAndEmptyList();
    void loadsSortedListWithoutChoosing();
    void filterFollowsClassAndTyping();
    void doubleClickCopiesCaretLine();
    void menusCopySelectAndSetFontSize();
    void findSearchesMemoWithoutCase();
    void openPlacesTopRightAndStaysOnTop();
};

void TestTFJavaHelp::missingFileShowsNoticeAndEmptyList() {
    TestEnv env;
    RecordingUi rec;
    TFJavaHelp w;
    QCOMPARE(rec.boxes.size(), 1);
    QCOMPARE(rec.boxes[0].icon, MsgIcon::Warning);
    QCOMPARE(rec.boxes[0].caption, QStringLiteral("Hinweis"));
    QCOMPARE(rec.boxes[0].text, QStringLiteral("Die Datei javaklassen.txt ist nicht vorhanden"));
    QCOMPARE(w.cbKlasse()->count(), 0);
    QVERIFY(!w.Loading());
    w.ESuche()->setText(QStringLiteral("x")); // nothing to show, nothing breaks
    QVERIFY(w.Memo1()->toPlainText().isEmpty());
}

void TestTFJavaHelp::loadsSortedListWithoutChoosing() {
    TestEnv env;
    env.writeFile(QStringLiteral("prog/javaklassen.txt"), kClasses);
    RecordingUi rec;
    TFJavaHelp w;
    QVERIFY(rec.boxes.isEmpty());
    QStringList items;
    for (int i = 0; i < w.cbKlasse()->count(); ++i)
        items << w.cbKlasse()->itemText(i);
    QCOMPARE(items, QStringList({QStringLiteral("ArrayList"), QStringLiteral("JButton"),
                                 QStringLiteral("List"), QStringLiteral("List")}));
    QCOMPARE(w.cbKlasse()->maxVisibleItems(), 25);
    QCOMPARE(w.cbKlasse()->currentIndex(), -1);
    QVERIFY(w.Memo1()->toPlainText().isEmpty());
    QVERIFY(w.Memo2()->isHidden());
    QCOMPARE(w.windowTitle(), QStringLiteral("Java-Hilfe"));
}

void TestTFJavaHelp::filterFollowsClassAndTyping() {
    TestEnv env;
    env.writeFile(QStringLiteral("prog/javaklassen.txt"), kClasses);
    RecordingUi rec;
    TFJavaHelp w;

    choose(w, 1); // JButton: its block has no "xxxx" and keeps every member
    QCOMPARE(
        w.Memo1()->toPlainText(),
        QStringLiteral("JButton\njavax.swing.JButton\n\n"
                       "void AbstractButton.addActionListener(ActionListener)\n"
                       "void AbstractButton.setText(String)\nvoid Component.add(PopupMenu)\n"));
    QCOMPARE(w.Memo1()->textCursor().position(), 0);

    QTest::keyClicks(w.ESuche(), QStringLiteral("aD"));
    QCOMPARE(w.Memo1()->toPlainText(),
             QStringLiteral("JButton\njavax.swing.JButton\n\n"
                            "void AbstractButton.addActionListener(ActionListener)\n"
                            "void Component.add(PopupMenu)\n"));

    choose(w, 0); // a class change keeps the filter
    QCOMPARE(w.ESuche()->text(), QStringLiteral("aD"));
    QCOMPARE(w.Memo1()->toPlainText(),
             QStringLiteral("ArrayList\njava.util.ArrayList\n\n"
                            "boolean ArrayList.add(E)\nboolean ArrayList.addAll(Collection)\n"));

    // Either "List" shows the first List of the file.
    for (int index : {2, 3}) {
        choose(w, 0);
        choose(w, index);
        QVERIFY(w.Memo1()->toPlainText().startsWith(
            QStringLiteral("List\njava.awt.List\n\nvoid List.add(String)\n")));
    }

    w.ESuche()->setText(QStringLiteral("   "));
    QVERIFY(w.Memo1()->toPlainText().contains(QStringLiteral("void List.removeAll()")));
}

void TestTFJavaHelp::doubleClickCopiesCaretLine() {
    TestEnv env;
    env.writeFile(QStringLiteral("prog/javaklassen.txt"), kClasses);
    RecordingUi rec;
    TFJavaHelp w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    choose(w, 0);
    QApplication::clipboard()->clear();

    TMemo *memo = w.Memo1();
    const QTextBlock block = memo->document()->findBlockByNumber(4);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 10);
    const QPoint point = memo->cursorRect(cursor).center();
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, point);

    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("boolean ArrayList.add(E)") + u'\n');
    QVERIFY(rec.boxes.isEmpty());
}

void TestTFJavaHelp::menusCopySelectAndSetFontSize() {
    TestEnv env;
    env.writeFile(QStringLiteral("prog/javaklassen.txt"), kClasses);
    RecordingUi rec;
    TFJavaHelp w;
    choose(w, 2);

    w.findChild<QAction *>(QStringLiteral("MnAllesmarkieren"))->trigger();
    QCOMPARE(w.Memo1()->textCursor().selectedText().size(), w.Memo1()->toPlainText().size());
    QApplication::clipboard()->clear();
    w.findChild<QAction *>(QStringLiteral("MnBlockKopieren"))->trigger();
    QCOMPARE(QApplication::clipboard()->text(), w.Memo1()->toPlainText());

    const QList<QPair<const char *, int>> sizes = {
        {"MnSize_08", 8}, {"MnSize_14", 13}, {"MnSize_12", 12}};
    for (const auto &[name, points] : sizes) {
        w.findChild<QAction *>(QString::fromLatin1(name))->trigger();
        QCOMPARE(w.Memo1()->font().pointSize(), points);
    }
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("MnSize_14"))->text(), QStringLiteral("14 pg"));
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("MnBlockKopieren"))->shortcut(),
             QKeySequence(QKeySequence::Copy));
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("MnAllesmarkieren"))->shortcut(),
             QKeySequence(QKeySequence::SelectAll));
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("MnSuchen"))->shortcut(),
             QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("MnWeitersuchen"))->shortcut(),
             QKeySequence(Qt::Key_F3));
}

void TestTFJavaHelp::findSearchesMemoWithoutCase() {
    TestEnv env;
    env.writeFile(QStringLiteral("prog/javaklassen.txt"), kClasses);
    RecordingUi rec;
    TFJavaHelp w;
    w.show();
    choose(w, 0);

    // The editor's non-modal find dialog, the word at the caret proposed and selected.
    w.MnSuchenClick();
    FindDialog *dialog = w.FindDialog1();
    QVERIFY(dialog->isVisible() && !dialog->isModal());
    QVERIFY(rec.inputPrompts.isEmpty());
    QVERIFY(dialog->DownButton()->isChecked() && !dialog->MatchCaseBox()->isChecked());
    QCOMPARE(dialog->TextEdit()->selectedText(), QStringLiteral("ArrayList"));
    QTest::keyClicks(dialog->TextEdit(), QStringLiteral("ADD"));
    dialog->FindButton()->click();
    QVERIFY(!dialog->isVisible());
    QTextCursor found = w.Memo1()->textCursor();
    QCOMPARE(found.selectedText(), QStringLiteral("add"));
    QCOMPARE(found.block().text(), QStringLiteral("boolean ArrayList.add(E)"));
    // The found line has the focus.
    QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.Memo1()));

    w.MnWeitersuchenClick(); // next match, the dialog stays closed
    QVERIFY(!dialog->isVisible());
    QCOMPARE(w.Memo1()->textCursor().block().text(),
             QStringLiteral("boolean ArrayList.addAll(Collection)"));

    w.MnWeitersuchenClick();
    QCOMPARE(rec.boxes.size(), 1);
    QCOMPARE(rec.boxes[0].caption, QStringLiteral("Suchen"));
    QCOMPARE(rec.boxes[0].text,
             QStringLiteral("Der Suchstring\r\nADD\r\nkonnte nicht gefunden werden"));
    QCOMPARE(w.Memo1()->textCursor().block().text(),
             QStringLiteral("boolean ArrayList.addAll(Collection)"));

    // Match case and direction are the dialog's.
    dialog->SetFindText(QStringLiteral("arraylist"));
    dialog->MatchCaseBox()->setChecked(true);
    dialog->UpButton()->setChecked(true);
    w.MnWeitersuchenClick();
    QCOMPARE(rec.boxes.size(), 2);
    QCOMPARE(rec.boxes[1].text,
             QStringLiteral("Der Suchstring\r\narraylist\r\nkonnte nicht gefunden werden"));
    dialog->MatchCaseBox()->setChecked(false);
    w.MnWeitersuchenClick();
    found = w.Memo1()->textCursor();
    QCOMPARE(found.selectedText(), QStringLiteral("ArrayList"));
    QCOMPARE(found.block().text(), QStringLiteral("boolean ArrayList.addAll(Collection)"));
    w.MnWeitersuchenClick();
    QCOMPARE(w.Memo1()->textCursor().block().text(), QStringLiteral("boolean ArrayList.add(E)"));
}

void TestTFJavaHelp::openPlacesTopRightAndStaysOnTop() {
    TestEnv env;
    env.writeFile(QStringLiteral("prog/javaklassen.txt"), kClasses);
    RecordingUi rec;
    QWidget frame;
    QPointer<TFJavaHelp> first = TFJavaHelp::Open(&frame);
    QPointer<TFJavaHelp> second = TFJavaHelp::Open(&frame);
    QVERIFY(first && second && first != second);
    QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(first->isWindow() && first->isVisible());
    const QRect area = frame.screen()->geometry();
    QCOMPARE(first->pos(), QPoint(area.right() + 1 - first->width() - 30, area.top() + 10));
    QCOMPARE(first->cbKlasse()->count(), 4);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first); // a closed window gives its memory back
    QVERIFY(second);
}

QTEST_MAIN(TestTFJavaHelp)
#include "tst_tfjavahelp.moc"
