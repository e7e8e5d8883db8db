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
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QUrl>

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
    void hoverAndClickHotSpots();
    void inactiveHotSpotsIgnoreTheMouse();
    void selectionChangeEvent();
    void navigationKeyCollapsesSelectionToItsEnd();
    void fileDropNeedsAcceptFiles();
    void contextPopupHook();
    void hideSelectionWhileUnfocused();
    void assignCopiesTextLookAndRules();
    void gutterOptions();
    void drawKeyHookPaintsKeywords();
    void typingAndNewLinesRecolour();
    void fontChangeKeepsColoursAndNumbersOnTheirLines();
    void scrollEventsComeBeforeTheScroll();
    void hotSpotTextIsUnderlined();
    void typingKeepsTheLineAboveColoured();

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

    // With permission both reach the clipboard (which held something else each time).
    memo->SetOptions(cmoAllowCutCopy);
    cursor.setPosition(6);
    cursor.setPosition(12, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->CopyToClipboard();
    QCOMPARE(clipboard->text(), QStringLiteral(" world"));
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
    // The caret stands after the moved text.
    QCOMPARE(memo->textCursor().position(), 11);
    QVERIFY(!memo->textCursor().hasSelection());
}

void TestColorMemo::dropWithCtrlCopiesText() {
    auto memo = MakeMemo(QStringLiteral("alpha beta gamma"));
    PressInSelection(*memo, 0, 6);
    QVERIFY(memo->DropTextAt(PointOf(*memo, 11), true));
    QCOMPARE(memo->toPlainText(), QStringLiteral("alpha beta alpha gamma"));
    QCOMPARE(memo->textCursor().position(), 17);
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

namespace {

void MoveMouse(TColorMemo &memo, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, point, memo.viewport()->mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &move);
}

} // namespace

void TestColorMemo::hoverAndClickHotSpots() {
    auto memo = MakeMemo(QStringLiteral("see \x1eone\x1f\x1etwo\x1f end"));
    memo->HotSpot().Active = true;
    Grab(*memo);
    Grab(*memo);
    QCOMPARE(memo->HotSpots().Count(), 2);
    QStringList events;
    memo->OnHoverHotSpot = [&](TColorMemo *, const QString &src) { events << "hover " + src; };
    memo->OnHotSpotExit = [&](TColorMemo *, const QString &src) { events << "exit " + src; };
    QString clicked;
    memo->OnHotSpotClick = [&](TColorMemo *, const QString &src, Qt::MouseButton button,
                               Qt::KeyboardModifiers) {
        clicked = src;
        QCOMPARE(button, Qt::RightButton);
    };
    const QPoint one = PointOf(*memo, 6);  // the "n" of "one"
    const QPoint two = PointOf(*memo, 11); // the "w" of "two"
    const QPoint plain = PointOf(*memo, 17);
    MoveMouse(*memo, one);
    QCOMPARE(memo->viewport()->cursor().shape(), Qt::PointingHandCursor);
    MoveMouse(*memo, two);
    MoveMouse(*memo, plain);
    QCOMPARE(memo->viewport()->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(events, QStringList({"hover one", "exit one", "hover two", "exit two"}));
    MoveMouse(*memo, two);
    QTest::mouseClick(memo->viewport(), Qt::RightButton, Qt::NoModifier, two);
    QCOMPARE(clicked, QStringLiteral("two"));
}

void TestColorMemo::inactiveHotSpotsIgnoreTheMouse() {
    auto memo = MakeMemo(QStringLiteral("see \x1eone\x1f end"));
    Grab(*memo);
    bool fired = false;
    memo->OnHoverHotSpot = [&](TColorMemo *, const QString &) { fired = true; };
    MoveMouse(*memo, PointOf(*memo, 6));
    QVERIFY(!fired);
    QVERIFY(memo->viewport()->cursor().shape() != Qt::PointingHandCursor);
    QCOMPARE(memo->HotSpots().Count(), 0);
}

void TestColorMemo::selectionChangeEvent() {
    auto memo = MakeMemo(QStringLiteral("alpha beta"));
    int changes = 0;
    memo->OnSelectionChange = [&](TColorMemo *) { ++changes; };
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(2);
    memo->setTextCursor(cursor);
    QCOMPARE(changes, 1);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    QCOMPARE(changes, 2);
    memo->setTextCursor(cursor); // no change
    QCOMPARE(changes, 2);
}

void TestColorMemo::navigationKeyCollapsesSelectionToItsEnd() {
    auto memo = MakeMemo(QStringLiteral("alpha beta gamma"));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(8);
    cursor.setPosition(2, QTextCursor::KeepAnchor); // selected backwards
    memo->setTextCursor(cursor);
    QTest::keyClick(memo.get(), Qt::Key_Left);
    QCOMPARE(memo->textCursor().position(), 7);
    QVERIFY(!memo->textCursor().hasSelection());
    // With Shift the selection is extended as usual.
    cursor.setPosition(2);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo.get(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(memo->textCursor().selectionStart(), 2);
    QCOMPARE(memo->textCursor().selectionEnd(), 5);
}

void TestColorMemo::fileDropNeedsAcceptFiles() {
    auto memo = MakeMemo(QStringLiteral("text"));
    QStringList dropped;
    memo->OnDropFile = [&](TColorMemo *, const QString &file) { dropped << file; };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.java")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/b.java"))});
    const QPoint point(20, 5);
    QDragEnterEvent refused(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &refused);
    QVERIFY(!refused.isAccepted());
    memo->SetOptions(memo->Options() | cmoAcceptFiles);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &drop);
    QCOMPARE(dropped, QStringList({"/tmp/a.java", "/tmp/b.java"}));
    QCOMPARE(memo->toPlainText(), QStringLiteral("text"));
}

void TestColorMemo::contextPopupHook() {
    auto memo = MakeMemo(QStringLiteral("text"));
    QPoint asked;
    memo->OnContextPopup = [&](TColorMemo *, int x, int y, bool &handled) {
        asked = QPoint(x, y);
        handled = true;
    };
    const QPoint local(10, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, memo->viewport()->mapToGlobal(local));
    QApplication::sendEvent(memo->viewport(), &event);
    QCOMPARE(asked, memo->viewport()->mapToGlobal(local));
    QVERIFY(!QApplication::activePopupWidget());
}

void TestColorMemo::hideSelectionWhileUnfocused() {
    auto memo = MakeMemo(QStringLiteral("int x"));
    QCOMPARE(memo->palette().color(QPalette::Inactive, QPalette::Highlight),
             memo->palette().color(QPalette::Active, QPalette::Base));
    memo->SetHideSelection(false);
    QCOMPARE(memo->palette().color(QPalette::Inactive, QPalette::Highlight),
             memo->palette().color(QPalette::Active, QPalette::Highlight));
}

void TestColorMemo::assignCopiesTextLookAndRules() {
    auto source = MakeMemo(QStringLiteral("int a;"));
    source->SetHideSelection(false);
    TColorMemo target;
    target.Assign(*source);
    QCOMPARE(target.toPlainText(), QStringLiteral("int a;"));
    QCOMPARE(target.font(), source->font());
    QVERIFY(!target.HideSelection());
    QCOMPARE(target.ColorRules().Count(), 4);
    QCOMPARE(target.ColorRules().Items(3)->Name(), QStringLiteral("Kommentar"));
    // The rules are copies, not shared.
    target.ColorRules().Items(0)->SetName(QStringLiteral("x"));
    QCOMPARE(source->ColorRules().Items(0)->Name(), QStringLiteral("Operatoren"));
}

void TestColorMemo::gutterOptions() {
    TColorMemo memo;
    TCMGutterOptions &gutter = memo.Gutter();
    QCOMPARE(gutter.Size(), 0);
    QCOMPARE(gutter.StartCountAt(), 1);
    QCOMPARE(gutter.Color(), clBtnFace);
    gutter.SetSize(-5);
    QCOMPARE(gutter.Size(), 0);
    gutter.SetSize(40);
    QCOMPARE(memo.TextRect().left(), memo.contentsRect().left() + 40);
    TCMGutterOptions other(nullptr);
    other.SetShowLineNumbers(true);
    other.SetAlignment(TCMAlignment::Right);
    other.SetNumColor(clRed);
    other.SetStartCountAt(0);
    other.SetSize(12);
    other.SetIs3D(true);
    other.SetColor(clWhite);
    gutter.Assign(other);
    QVERIFY(gutter.ShowLineNumbers());
    QCOMPARE(gutter.Alignment(), TCMAlignment::Right);
    QCOMPARE(gutter.NumColor(), clRed);
    QCOMPARE(gutter.StartCountAt(), 0);
    QCOMPARE(gutter.Size(), 12);
    QVERIFY(gutter.Is3D());
    QCOMPARE(gutter.Color(), clWhite);
    QVERIFY_THROWS_EXCEPTION(QuillError, gutter.Assign(memo.PrintOptions()));

    // The owner hears of a new width (once per change) apart from everything else.
    struct Owner : IGutterOwner {
        int sizes = 0;
        int repaints = 0;
        void GutterSizeChanged() override { ++sizes; }
        void GutterChanged() override { ++repaints; }
    } owner;
    TCMGutterOptions told(&owner);
    told.SetSize(10);
    told.SetSize(10);
    told.SetNumColor(clRed);
    told.Assign(other);
    QCOMPARE(owner.sizes, 1);
    QCOMPARE(owner.repaints, 2);
}

void TestColorMemo::drawKeyHookPaintsKeywords() {
    auto memo = MakeMemo(QStringLiteral("int a = 1;"));
    QStringList keys;
    memo->OnDrawKey = [&](QPainter &, const QString &text, const QRect &rect, TColor color) {
        keys << QStringLiteral("%1 %2").arg(text).arg(color, 6, 16, QLatin1Char('0'));
        QVERIFY(rect.width() > 0);
    };
    Grab(*memo);
    keys.clear();
    Grab(*memo);
    // Operators are keyword runs too; the comment rule's runs would not be.
    QCOMPARE(keys, QStringList({"int ff0000", "= 0000ff"}));
}

void TestColorMemo::typingAndNewLinesRecolour() {
    QString text;
    for (int i = 0; i < 20; ++i)
        text += QStringLiteral("int line%1 = %1;\n").arg(i);
    auto memo = MakeMemo(text);
    QVERIFY(QTest::qWaitForWindowExposed(memo.get()));
    memo->setFocus();
    QList<int> passStarts; // text index of the first scanned line of each pass
    memo->OnDrawEx = [&](TColorMemo *, QStringView, int bufferStart, int fromOffset) {
        passStarts << bufferStart + fromOffset;
    };
    QTextCursor cursor(memo->document()->findBlockByNumber(5));
    cursor.movePosition(QTextCursor::EndOfBlock);
    memo->setTextCursor(cursor);
    QTRY_VERIFY(!passStarts.isEmpty());
    passStarts.clear();
    QTest::keyClick(memo.get(), Qt::Key_X);
    QTRY_VERIFY(!passStarts.isEmpty());
    // One character typed without a new line: the pass starts at the caret's line.
    const int line5 = memo->document()->findBlockByNumber(5).position();
    QVERIFY2(
        passStarts.contains(line5),
        qPrintable(QStringLiteral("pass starts %1").arg(QString::number(passStarts.value(0)))));
    // A new line changes the line count: the pass starts at the first visible line.
    passStarts.clear();
    QTest::keyClick(memo.get(), Qt::Key_Return);
    QTRY_VERIFY(!passStarts.isEmpty());
    QCOMPARE(passStarts.first(), 0);

    // With RedrawAlways every change colours everything anew.
    memo->SetRedrawAlways(true);
    passStarts.clear();
    QTest::keyClick(memo.get(), Qt::Key_Y);
    QTRY_VERIFY(!passStarts.isEmpty());
    QVERIFY(!passStarts.contains(memo->textCursor().block().position()));
    QCOMPARE(passStarts.first(), 0);
}

void TestColorMemo::fontChangeKeepsColoursAndNumbersOnTheirLines() {
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("MMMM // MMMMMMMM\n");
    auto memo = MakeMemo(text);
    Grab(*memo);
    Grab(*memo); // the view now knows where the lines of the small font stand
    QFont big = memo->font();
    big.setPixelSize(big.pixelSize() * 2);
    memo->setFont(big);
    // Where the text control itself puts the lines now.
    const QTextDocument *doc = memo->document();
    QStringList expectedNumbers;
    for (QTextBlock block = doc->findBlockByNumber(memo->View().FirstVisibleLine());
         block.isValid(); block = block.next()) {
        const QRect line = memo->cursorRect(QTextCursor(block));
        if (line.top() >= memo->viewport()->height())
            break;
        expectedNumbers << QString::number(block.blockNumber() + 1);
        if (block.blockNumber() < 3)
            QCOMPARE(memo->View().PosFromChar(block.position())->y(), line.top());
    }
    QCOMPARE(memo->GutterNumbers(), expectedNumbers);
    // The comment of the third line is painted where that line now stands.
    const QImage image = Grab(*memo);
    const QColor comment = ToQColor(kComment, memo->palette());
    const QColor plain = memo->palette().color(QPalette::Text);
    const QColor base = memo->palette().color(QPalette::Base);
    QTextCursor third(doc->findBlockByNumber(2));
    third.setPosition(third.position() + 5);
    const QRect commentStart = memo->cursorRect(third);
    const QRect commentRect(commentStart.left(), commentStart.top(), 200, commentStart.height());
    QVERIFY(CountInk(image, commentRect, comment, plain, base) > 10);
    QCOMPARE(CountInk(image, commentRect, plain, comment, base), 0);
}

void TestColorMemo::scrollEventsComeBeforeTheScroll() {
    QString text;
    for (int i = 0; i < 100; ++i)
        text += QStringLiteral("int line%1 = %1; ").arg(i).repeated(6) + u'\n';
    auto memo = MakeMemo(text);
    Grab(*memo);
    QStringList events; // the event, and what was on screen when it came
    memo->OnVScroll = [&](TColorMemo *sender) {
        events << QStringLiteral("v %1").arg(sender->View().FirstVisibleLine());
    };
    memo->OnHScroll = [&](TColorMemo *sender) {
        events << QStringLiteral("h %1").arg(sender->horizontalScrollBar()->value());
    };
    QList<int> passStarts;
    memo->OnDrawEx = [&](TColorMemo *, QStringView, int bufferStart, int fromOffset) {
        passStarts << bufferStart + fromOffset;
    };
    memo->verticalScrollBar()->setValue(10);
    QCOMPARE(events, QStringList({"v 0"}));
    QCOMPARE(memo->View().FirstVisibleLine(), 10);
    // The scroll is followed by a pass over what is now on screen.
    QTRY_VERIFY(!passStarts.isEmpty());
    QCOMPARE(passStarts.first(), memo->document()->findBlockByNumber(10).position());
    events.clear();
    memo->horizontalScrollBar()->setValue(30);
    QCOMPARE(events, QStringList({"h 30"}));
    QVERIFY(memo->horizontalScrollBar()->value() == 30);
}

void TestColorMemo::hotSpotTextIsUnderlined() {
    auto memo = MakeMemo(QStringLiteral("MMMM \x1eMMMMMMMM\x1f MMMM"));
    memo->ColorRules().Clear();
    const QColor hot = ToQColor(memo->HotSpot().Color, memo->palette());
    const QColor base = memo->palette().color(QPalette::Base);
    const QColor plain = memo->palette().color(QPalette::Text);
    // Below the baseline of capital Ms only an underline leaves ink.
    const QFontMetrics metrics(memo->font());
    const QPoint first = *memo->View().PosFromChar(6);
    const QPoint last = *memo->View().PosFromChar(14);
    const QRect belowHot(first.x(), first.y() + metrics.ascent() + 1, last.x() - first.x(),
                         metrics.descent());
    const QPoint after = *memo->View().PosFromChar(16);
    const QRect belowPlain(after.x(), belowHot.top(), 4 * metrics.horizontalAdvance(u'M'),
                           belowHot.height());
    auto underlineInk = [&](const QRect &rect, const QColor &color) {
        const QImage image = Grab(*memo);
        return CountInk(image, rect, color, base, base);
    };
    memo->HotSpot().Active = true;
    Grab(*memo);
    QVERIFY(underlineInk(belowHot, hot) >= belowHot.width() / 2);
    QCOMPARE(underlineInk(belowPlain, plain), 0);
    memo->HotSpot().Underlined = false;
    QCOMPARE(underlineInk(belowHot, hot), 0);
    // Inactive hot spots are neither coloured nor underlined.
    memo->HotSpot().Underlined = true;
    memo->HotSpot().Active = false;
    QCOMPARE(underlineInk(belowHot, hot), 0);
    QCOMPARE(underlineInk(belowHot, plain), 0);
}

void TestColorMemo::typingKeepsTheLineAboveColoured() {
    QString text;
    for (int i = 0; i < 12; ++i)
        text += QStringLiteral("int gjpq; // gjpqy gjpqy\n");
    auto memo = MakeMemo(text);
    // A background of its own fills keyword runs to the bottom of their line box.
    memo->ColorRules().Items(2)->SetKeyBrushColor(0x0000FFFF);
    QVERIFY(QTest::qWaitForWindowExposed(memo.get()));
    Grab(*memo);
    memo->setFocus();
    QTextCursor cursor(memo->document()->findBlockByNumber(5));
    cursor.movePosition(QTextCursor::EndOfBlock);
    memo->setTextCursor(cursor);
    QList<int> passStarts;
    memo->OnDrawEx = [&](TColorMemo *, QStringView, int bufferStart, int fromOffset) {
        passStarts << bufferStart + fromOffset;
    };
    // What the screen shows (the window's backing store, painted piece by piece).
    auto screen = [&] {
        QCoreApplication::processEvents();
        return memo->screen()->grabWindow(memo->winId()).toImage();
    };
    QTRY_VERIFY(!passStarts.isEmpty());
    const QImage before = screen();
    const QPoint lineTop = memo->viewport()->mapTo(
        memo.get(), *memo->View().PosFromChar(memo->document()->findBlockByNumber(4).position()));
    const QRect lineAbove(lineTop.x(), lineTop.y(), memo->viewport()->width(),
                          memo->View().LineHeight());
    passStarts.clear();
    QTest::keyClick(memo.get(), Qt::Key_X);
    QTRY_VERIFY(!passStarts.isEmpty());
    const QImage after = screen();
    QVERIFY(passStarts.contains(memo->document()->findBlockByNumber(5).position()));
    QCOMPARE(after.copy(lineAbove), before.copy(lineAbove));
}

QTEST_MAIN(TestColorMemo)
#include "tst_colormemo.moc"
