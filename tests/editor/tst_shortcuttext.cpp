#include "common/ShortcutText.h"

#include <QTest>

class TestShortcutText : public QObject {
    Q_OBJECT

private slots:
    void textToShortCut_data();
    void textToShortCut();
    void unreadableTextsGiveNoShortcut_data();
    void unreadableTextsGiveNoShortcut();
};

void TestShortcutText::textToShortCut_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("expected");
    QTest::addColumn<QString>("backText");
    QTest::newRow("F8") << "F8" << QKeySequence(Qt::Key_F8) << "F8";
    QTest::newRow("Strg+A") << "Strg+A" << QKeySequence(Qt::CTRL | Qt::Key_A) << "Strg+A";
    QTest::newRow("Umsch+Strg+F12")
        << "Umsch+Strg+F12" << QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F12) << "Umsch+Strg+F12";
    QTest::newRow("Umsch+F1") << "Umsch+F1" << QKeySequence(Qt::SHIFT | Qt::Key_F1) << "Umsch+F1";
    QTest::newRow("order normalised")
        << "Strg+Umsch+Z" << QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Z) << "Umsch+Strg+Z";
    QTest::newRow("Qt names accepted")
        << "Ctrl+Shift+F9" << QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F9) << "Umsch+Strg+F9";
    QTest::newRow("Entf") << "Strg+Entf" << QKeySequence(Qt::CTRL | Qt::Key_Delete) << "Strg+Entf";
    QTest::newRow("Alt") << "Alt+X" << QKeySequence(Qt::ALT | Qt::Key_X) << "Alt+X";
    QTest::newRow("plus key") << "Strg++" << QKeySequence(Qt::CTRL | Qt::Key_Plus) << "Strg++";
}

void TestShortcutText::textToShortCut() {
    QFETCH(QString, text);
    QFETCH(QKeySequence, expected);
    QFETCH(QString, backText);
    QCOMPARE(TextToShortCut(text), expected);
    QCOMPARE(ShortCutToText(expected), backText);
    QCOMPARE(TextToShortCut(backText), expected);
}

void TestShortcutText::unreadableTextsGiveNoShortcut_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("modifier only") << "Strg+";
    QTest::newRow("unknown key") << "Strg+Hallo";
    QTest::newRow("unknown prefix") << "Hyper+A";
    QTest::newRow("two keys") << "A+B";
}

void TestShortcutText::unreadableTextsGiveNoShortcut() {
    QFETCH(QString, text);
    QVERIFY(TextToShortCut(text).isEmpty());
}

QTEST_GUILESS_MAIN(TestShortcutText)
#include "tst_shortcuttext.moc"
