#include "RecordingUi.h"
#include "TestEnv.h"

#include "colormemo/ColorConvert.h"
#include "colormemo/ColorMemo.h"
#include "colormemo/EditorMemoSetup.h"
#include "common/QuillError.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

constexpr TColor kComment = 0x00404080;

// A shown editor-style control of a fixed size with the given text.
std::unique_ptr<TColorMemo> MakeMemo(const QString &text) {
    auto memo = std::make_unique<TColorMemo>();
    SetupEditorColorMemo(*memo);
    memo->resize(600, 400);
    memo->setPlainText(text);
    memo->show();
    return memo;
}

QImage Grab(TColorMemo &memo) {
    // Two paints: the first pass prepares the rules, the second colours with them.
    memo.viewport()->repaint();
    return memo.viewport()->grab().toImage();
}

// How many pixels of a rectangle are close to `color` (text is antialiased, so exact
// matches are rare) and nearer to it than to `other`.
int CountInk(const QImage &image, const QRect &rect, const QColor &color, const QColor &other,
             const QColor &background) {
    auto distance = [](const QColor &a, const QColor &b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue());
    };
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (distance(pixel, background) < 200 || distance(pixel, color) > 60)
                continue;
            if (distance(pixel, color) < distance(pixel, other))
                ++count;
        }
    }
    return count;
}

} // namespace

class TestColorMemo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void commentPixelsInCommentColour();
    void gutterNumbersFollowScrolling();
    void tabStopWidth();
    void cutCopyNeedPermission();
    void dropInsideSelectionMovesCaret();
    void dropMovesText();
    void dropWithCtrlCopiesText();
    void dropEventFromOwnDrag();
    void printOptionsAssign();

private:
    std::unique_ptr<TestEnv> m_env;
};

void TestColorMemo::initTestCase() {
    m_env = std::make_unique<TestEnv>();
}

void TestColorMemo::commentPixelsInCommentColour() {
    auto memo = MakeMemo(QStringLiteral("MMMMMMMM // MMMMMMMMMMMM\nMMMMMMMM MMMMMMM\n"));
    Grab(*memo);
    const QImage image = Grab(*memo);
    const QColor comment = ToQColor(kComment, memo->palette());
    const QColor plain = memo->palette().color(QPalette::Text);
    const TCMView &view = memo->View();
    const QPoint commentStart = *view.PosFromChar(9);
    const QPoint lineEnd = *view.PosFromChar(24);
    const int lineHeight = view.LineHeight();
    const QRect commentRect(commentStart.x(), commentStart.y(), lineEnd.x() - commentStart.x(),
                            lineHeight);
    const QRect codeRect(0, commentStart.y(), commentStart.x() - 1, lineHeight);
    const QPoint second = *view.PosFromChar(25);
    const QRect secondLine(second.x(), second.y(), 200, lineHeight);
    const QColor base = memo->palette().color(QPalette::Base);
    QVERIFY2(CountInk(image, commentRect, comment, plain, base) > 10, "comment in the rule colour");
    QCOMPARE(CountInk(image, commentRect, plain, comment, base), 0);
    QCOMPARE(CountInk(image, codeRect, comment, plain, base), 0);
    QVERIFY(CountInk(image, codeRect, plain, comment, base) > 10);
    QCOMPARE(CountInk(image, secondLine, comment, plain, base), 0);
    QVERIFY(CountInk(image, secondLine, plain, comment, base) > 10);
}

void TestColorMemo::gutterNumbersFollowScrolling() {
    QString text;
    for (int i = 1; i <= 200; ++i)
        text += QStringLiteral("line %1\n").arg(i);
    auto memo = MakeMemo(text);
    QCOMPARE(memo->GutterNumbers().value(0), QStringLiteral("1"));
    memo->verticalScrollBar()->setValue(10);
    QCOMPARE(memo->View().FirstVisibleLine(), 10);
    const QStringList numbers = memo->GutterNumbers();
    QCOMPARE(numbers.value(0), QStringLiteral("11"));
    QCOMPARE(numbers.value(1), QStringLiteral("12"));
    memo->Gutter().SetStartCountAt(0);
    QCOMPARE(memo->GutterNumbers().value(0), QStringLiteral("10"));
}

void TestColorMemo::tabStopWidth() {
    TColorMemo memo;
    QCOMPARE(memo.TabStopWidth(), 32);
    try {
        memo.SetTabStopWidth(0);
        QFAIL("no error for 0");
    } catch (const QuillError &error) {
        QCOMPARE(error.message(), QStringLiteral("Invalid TabStopWidth value (0)"));
    }
    QCOMPARE(memo.TabStopWidth(), 32);
    memo.SetTabStopWidth(16);
    QCOMPARE(memo.TabStopWidth(), 16);
    const qreal average = QFontMetricsF(memo.font()).averageCharWidth();
    QCOMPARE(memo.tabStopDistance(), 4 * average);
}

void TestColorMemo::cutCopyNeedPermission() {
    auto memo = MakeMemo(QStringLiteral("hello world"));
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    memo->SetOptions(cmoDragText);
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->CopyToClipboard();
    memo->CutToClipboard();
    QTest::keySequence(memo.get(), QKeySequence::Cut);
    QTest::keySequence(memo.get(), QKeySequence::Copy);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("hello world"));
    memo->PasteFromClipboard();
    QCOMPARE(memo->toPlainText(), QStringLiteral("before world"));

    memo->SetOptions(cmoAllowCutCopy);
    cursor.setPosition(0);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->CutToClipboard();
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QCOMPARE(memo->toPlainText(), QStringLiteral(" world"));
}

namespace {

// Starts a drag of characters start..start+length the way a press inside the selection does.
void PressInSelection(TColorMemo &memo, int start, int length) {
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    const QPoint inside = *memo.View().PosFromChar(start) + QPoint(1, 2);
    QTest::mousePress(memo.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
}

QPoint PointOf(TColorMemo &memo, int index) {
    return *memo.View().PosFromChar(index) + QPoint(1, 2);
}

} // namespace

void TestColorMemo::dropInsideSelectionMovesCaret() {
    auto memo = MakeMemo(QStringLiteral("alpha beta gamma"));
    PressInSelection(*memo, 6, 4);
    QVERIFY(memo->DropTextAt(PointOf(*memo, 8), false));
    QCOMPARE(memo->toPlainText(), QStringLiteral("alpha beta gamma"));
    QCOMPARE(memo->textCursor().position(), 8);
    QVERIFY(!memo->textCursor().hasSelection());
}

void TestColorMemo::dropMovesText() {
    auto memo = MakeMemo(QStringLiteral("alpha beta gamma"));
    PressInSelection(*memo, 0, 6);                        // "alpha "
    QVERIFY(memo->DropTextAt(PointOf(*memo, 11), false)); // before "gamma"
    QCOMPARE(memo->toPlainText(), QStringLiteral("beta alpha gamma"));
    QCOMPARE(memo->textCursor().position(), 5);
}

void TestColorMemo::dropWithCtrlCopiesText() {
    auto memo = MakeMemo(QStringLiteral("alpha beta gamma"));
    PressInSelection(*memo, 0, 6);
    QVERIFY(memo->DropTextAt(PointOf(*memo, 11), true));
    QCOMPARE(memo->toPlainText(), QStringLiteral("alpha beta alpha gamma"));
}

void TestColorMemo::dropEventFromOwnDrag() {
    auto memo = MakeMemo(QStringLiteral("one two three"));
    PressInSelection(*memo, 0, 4); // "one "
    std::unique_ptr<QMimeData> data(memo->CreateDragData());
    const QPoint target = PointOf(*memo, 8); // before "three"
    QDragEnterEvent enter(target, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                          Qt::ControlModifier);
    QApplication::sendEvent(memo->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(target, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    Qt::ControlModifier);
    QApplication::sendEvent(memo->viewport(), &drop);
    QCOMPARE(memo->toPlainText(), QStringLiteral("one two one three"));

    // Plain text from elsewhere is not taken.
    QMimeData foreign;
    foreign.setText(QStringLiteral("x"));
    QDragEnterEvent other(target, Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &other);
    QVERIFY(!other.isAccepted());
}

void TestColorMemo::printOptionsAssign() {
    TCMPrintOptions a;
    QCOMPARE(a.Margins().Top, 100);
    QCOMPARE(a.HeaderAlignment, TCMAlignment::Center);
    TCMPrintOptions b;
    b.Header = QStringLiteral("Kopf");
    b.Margins().Left = 7;
    b.FooterAlignment = TCMAlignment::Right;
    a.Assign(b);
    QCOMPARE(a.Header, QStringLiteral("Kopf"));
    QCOMPARE(a.Margins().Left, 7);
    QCOMPARE(a.FooterAlignment, TCMAlignment::Right);
    QVERIFY_THROWS_EXCEPTION(QuillError, a.Assign(a.Margins()));
}

QTEST_MAIN(TestColorMemo)
#include "tst_colormemo.moc"
