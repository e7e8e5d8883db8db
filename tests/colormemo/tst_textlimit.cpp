#include "TestEnv.h"

#include "colormemo/ColorMemo.h"
#include "colormemo/EditorMemoSetup.h"
#include "RecordingDesktop.h"
#include "common/Memo.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

// MaxLength of both text controls: what the user types, pastes or drops stops at the limit
// with a beep; text the program sets is not limited.
class TestTextLimit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void typingStopsAtTheLimit_data();
    void typingStopsAtTheLimit();
    void pastingInsertsWhatFits_data();
    void pastingInsertsWhatFits();
    void droppedTextMustFitWhole();
    void draggedCopyMustFitWhole();

private:
    std::unique_ptr<TMemo> MakeControl(bool colour, const QString &text, int maxLength);
    void Select(TMemo &memo, int from, int to);

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingDesktop> m_desktop;
};

void TestTextLimit::initTestCase() {
    m_env = std::make_unique<TestEnv>();
    m_desktop = std::make_unique<RecordingDesktop>();
}

void TestTextLimit::init() {
    m_desktop->beeps = 0;
}

void TestTextLimit::cleanupTestCase() {
    m_desktop.reset();
}

std::unique_ptr<TMemo> TestTextLimit::MakeControl(bool colour, const QString &text, int maxLength) {
    std::unique_ptr<TMemo> memo;
    if (colour) {
        auto colourMemo = std::make_unique<TColorMemo>();
        SetupEditorColorMemo(*colourMemo);
        memo = std::move(colourMemo);
    } else {
        memo = std::make_unique<TMemo>();
    }
    memo->resize(400, 300);
    memo->SetMaxLength(maxLength);
    memo->setPlainText(text);
    memo->show();
    QTextCursor cursor = memo->textCursor();
    cursor.movePosition(QTextCursor::End);
    memo->setTextCursor(cursor);
    return memo;
}

void TestTextLimit::Select(TMemo &memo, int from, int to) {
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
}

void TestTextLimit::typingStopsAtTheLimit_data() {
    QTest::addColumn<bool>("colour");
    QTest::newRow("plain") << false;
    QTest::newRow("colour") << true;
}

void TestTextLimit::typingStopsAtTheLimit() {
    QFETCH(bool, colour);
    // Loading is not limited: the text may start beyond MaxLength.
    auto memo = MakeControl(colour, QStringLiteral("0123456789"), 6);
    QCOMPARE(memo->toPlainText(), QStringLiteral("0123456789"));
    QTest::keyClicks(memo.get(), QStringLiteral("ab"));
    QTest::keyClick(memo.get(), Qt::Key_Return);
    QTest::keyClick(memo.get(), Qt::Key_Tab);
    QCOMPARE(memo->toPlainText(), QStringLiteral("0123456789"));
    QCOMPARE(m_desktop->beeps, 4);
    // Deleting still works, and typing again once there is room.
    m_desktop->beeps = 0;
    memo->setPlainText(QStringLiteral("abcd"));
    QTextCursor end = memo->textCursor();
    end.movePosition(QTextCursor::End);
    memo->setTextCursor(end);
    QTest::keyClick(memo.get(), Qt::Key_Return);
    QTest::keyClicks(memo.get(), QStringLiteral("xyz"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("abcd\nx"));
    QCOMPARE(m_desktop->beeps, 2);
    QTest::keyClick(memo.get(), Qt::Key_Backspace);
    QTest::keyClick(memo.get(), Qt::Key_Backspace);
    QTest::keyClicks(memo.get(), QStringLiteral("ef"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("abcdef"));
    QCOMPARE(m_desktop->beeps, 2);
    // A typed character replacing a selection keeps the length.
    Select(*memo, 1, 2);
    QTest::keyClicks(memo.get(), QStringLiteral("B"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("aBcdef"));
    QCOMPARE(m_desktop->beeps, 2);
    // Without a limit anything goes.
    memo->SetMaxLength(0);
    QTest::keyClicks(memo.get(), QStringLiteral("gh"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("aBghcdef"));
}

void TestTextLimit::pastingInsertsWhatFits_data() {
    typingStopsAtTheLimit_data();
}

void TestTextLimit::pastingInsertsWhatFits() {
    QFETCH(bool, colour);
    auto memo = MakeControl(colour, QStringLiteral("ab"), 6);
    QApplication::clipboard()->setText(QStringLiteral("12\n456"));
    memo->PasteFromClipboard();
    QCOMPARE(memo->toPlainText(), QStringLiteral("ab12\n4"));
    QCOMPARE(m_desktop->beeps, 1);
    // Replacing a selection makes room for it.
    Select(*memo, 0, 3);
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    QTest::keySequence(memo.get(), QKeySequence::Paste);
    QCOMPARE(memo->toPlainText(), QStringLiteral("xyz2\n4"));
    QCOMPARE(m_desktop->beeps, 1);
}

void TestTextLimit::droppedTextMustFitWhole() {
    // Only the plain control takes text dropped from elsewhere.
    auto memo = MakeControl(false, QStringLiteral("abc"), 6);
    const QPoint point = memo->cursorRect(memo->textCursor()).center();
    auto drop = [&](const QString &text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(memo->viewport(), &enter);
        QDropEvent event(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(memo->viewport(), &event);
        return event.isAccepted();
    };
    QVERIFY(!drop(QStringLiteral("1234")));
    QCOMPARE(memo->toPlainText(), QStringLiteral("abc"));
    QCOMPARE(m_desktop->beeps, 1);
    drop(QStringLiteral("123"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("abc123"));
    QCOMPARE(m_desktop->beeps, 1);
}

void TestTextLimit::draggedCopyMustFitWhole() {
    auto owned = MakeControl(true, QStringLiteral("one two"), 10);
    auto &memo = static_cast<TColorMemo &>(*owned);
    const QPoint end = *memo.View().PosFromChar(7) + QPoint(1, 2);
    auto press = [&](int from, int to) {
        Select(memo, from, to);
        QTest::mousePress(memo.viewport(), Qt::LeftButton, Qt::NoModifier,
                          *memo.View().PosFromChar(from) + QPoint(1, 2));
    };
    press(0, 4); // "one " does not fit as a copy
    QVERIFY(!memo.DropTextAt(end, true));
    QCOMPARE(memo.toPlainText(), QStringLiteral("one two"));
    QCOMPARE(m_desktop->beeps, 1);
    QVERIFY(memo.DropTextAt(end, false)); // a move keeps the length
    QCOMPARE(memo.toPlainText(), QStringLiteral("twoone "));
    press(3, 6); // "one" fits
    QVERIFY(memo.DropTextAt(*memo.View().PosFromChar(0) + QPoint(1, 2), true));
    QCOMPARE(memo.toPlainText(), QStringLiteral("onetwoone "));
    QCOMPARE(m_desktop->beeps, 1);
}

QTEST_MAIN(TestTextLimit)
#include "tst_textlimit.moc"
