// The editing commands, caret text and undo of a real editor window, driven by keys.
#include "editor/MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "FakeEditorHost.h"
#include "RecordingUi.h"
#include "settings/Settings.h"
#include "TestEnv.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

class TestMDIQuillEdit : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ctrlZAndCtrlAltZStepThroughSnapshots();
    void undoByKeyMenuAndToolButtonGiveTheSameStates();
    void timerModeIsFixedWhenTheWindowIsCreated();
    void lineAndBlockCommandsByKey();
    void goToLine();
    void clipboardCommandsSetTheModifiedFlag();
    void enterAndBraceIndentInBothViews_data();
    void enterAndBraceIndentInBothViews();
    void bracketBoxesAndJumpInBothViews_data();
    void bracketBoxesAndJumpInBothViews();
    void commentLinesByKeyIsOneUndoStep_data();
    void commentLinesByKeyIsOneUndoStep();
    void newKeysAreListedAndFree();

private:
    TFMDIQuill *OpenWindow(const QByteArray &text);
    static QString Text(TFMDIQuill *window) { return window->ActiveMemo()->toPlainText(); }
    // Opens the text in the colour view or, with `monochrome`, in the monochrome one.
    TMemo *OpenInView(const QByteArray &text, bool monochrome);
    static void SetCaret(TMemo *memo, int position, int anchor = -1);

    TestEnv *m_env = nullptr;
    RecordingUi *m_ui = nullptr;
    FakeEditorHost *m_host = nullptr;
    QPointer<TFMDIQuill> m_window;
};

void TestMDIQuillEdit::init() {
    m_env = new TestEnv;
    Settings::AutoSave = false;
    Settings::UndoMitKeyUp = true;
    Settings::UndoTimerIntervall = 10;
    m_ui = new RecordingUi;
    m_host = new FakeEditorHost;
}

void TestMDIQuillEdit::cleanup() {
    delete m_window.data();
    delete m_host;
    delete m_ui;
    delete m_env;
}

TFMDIQuill *TestMDIQuillEdit::OpenWindow(const QByteArray &text) {
    m_window = new TFMDIQuill(*m_host);
    m_host->windows << m_window;
    if (!m_window->InitDocument(m_env->writeFile("T.java", text), TNewFile()))
        return nullptr;
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        return nullptr;
    m_window->ActiveMemo()->setFocus();
    return m_window;
}

void TestMDIQuillEdit::ctrlZAndCtrlAltZStepThroughSnapshots() {
    TFMDIQuill *window = OpenWindow("abc\n");
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    QVERIFY(!memo->document()->isUndoRedoEnabled());
    QVERIFY(!window->TimerUndo()->isActive());

    // An arrow key takes a snapshot of the loaded text; each typed key one more.
    QTest::keyClick(memo, Qt::Key_Right);
    QCOMPARE(window->StatusPanel(0), QStringLiteral("Zeile: 1  Spalte: 2"));
    QTest::keyClicks(memo, "xy");
    QCOMPARE(Text(window), QStringLiteral("axybc\n"));
    QCOMPARE(window->UndoStore().UndoPos(), 3);
    memo->SetModified(false);

    // Ctrl+Z moves back one state at every press: the release of Z takes no snapshot of
    // the restored text.
    QStringList seen;
    for (int press = 0; press < 6; ++press) {
        QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
        seen << Text(window);
    }
    QCOMPARE(seen, QStringList({"axybc\n", "axbc\n", "abc\n", "abc\n", "abc\n", "abc\n"}));
    QCOMPARE(window->UndoStore().UndoTop(), 3);
    QVERIFY(window->Modified());
    // The caret is where it was at the snapshot, after the arrow key.
    QCOMPARE(memo->textCursor().position(), 1);
    QVERIFY(!memo->textCursor().hasSelection());

    // Redo by key walks up to the highest entry and no further; its release takes no
    // snapshot, which would overwrite the entry the next redo restores.
    seen.clear();
    for (int press = 0; press < 4; ++press) {
        QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
        seen << Text(window);
    }
    QCOMPARE(seen, QStringList({"abc\n", "axbc\n", "axybc\n", "axybc\n"}));
    QCOMPARE(window->UndoStore().UndoPos(), window->UndoStore().UndoTop());

    // Undo through the menu takes no snapshot afterwards.
    const int top = window->UndoStore().UndoTop();
    window->MenuItem("MnRueckgaengig")->trigger();
    window->MenuItem("MnRueckgaengig")->trigger();
    QCOMPARE(Text(window), QStringLiteral("axbc\n"));
    QCOMPARE(window->UndoStore().UndoTop(), top);
    QCOMPARE(window->UndoStore().UndoPos(), top - 2);
}

void TestMDIQuillEdit::undoByKeyMenuAndToolButtonGiveTheSameStates() {
    enum class Way { Key, Menu, ToolButton };
    // Types "abc" into an empty window, then undoes and redoes four times one way.
    const auto walk = [this](Way way) {
        QStringList seen;
        TFMDIQuill *window = OpenWindow("");
        if (!window)
            return seen;
        TMemo *memo = window->ActiveMemo();
        QTest::keyClicks(memo, "abc");
        for (int press = 0; press < 4; ++press) {
            if (way == Way::Key)
                QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
            else if (way == Way::Menu)
                window->MenuItem("MnRueckgaengig")->trigger();
            else
                window->MnRueckgaengigClick(); // what the frame's undo button calls
            seen << Text(window) + u'|' + QString::number(memo->textCursor().position());
        }
        for (int press = 0; press < 4; ++press) {
            if (way == Way::Key)
                QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
            else
                window->MenuItem("MnWiderrufen")->trigger();
            seen << Text(window) + u'|' + QString::number(memo->textCursor().position());
        }
        delete window;
        return seen;
    };
    // The first undo restores the snapshot of the current text: only the caret moves there.
    const QStringList expected{"abc|3", "ab|2", "a|1", "a|1", "a|1", "ab|2", "abc|3", "abc|3"};
    QCOMPARE(walk(Way::Key), expected);
    QCOMPARE(walk(Way::Menu), expected);
    QCOMPARE(walk(Way::ToolButton), expected);
}

void TestMDIQuillEdit::timerModeIsFixedWhenTheWindowIsCreated() {
    Settings::UndoMitKeyUp = false;
    Settings::UndoTimerIntervall = 3;
    TFMDIQuill *window = OpenWindow("abc\n");
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    QVERIFY(window->TimerUndo()->isActive());
    QCOMPARE(window->TimerUndo()->interval(), 3000);

    // Changes within one interval form one step.
    QTest::keyClicks(memo, "12");
    QCOMPARE(window->UndoStore().UndoTop(), 0);
    QMetaObject::invokeMethod(window->TimerUndo(), "timeout");
    QCOMPARE(window->UndoStore().UndoTop(), 1);
    // Switched to key mode later: key releases take snapshots too.
    Settings::UndoMitKeyUp = true;
    QTest::keyClicks(memo, "3");
    QCOMPARE(window->UndoStore().UndoTop(), 2);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("12abc\n"));

    // A window created in key mode keeps its timer off when the setting changes, until the
    // frame applies the confirmed settings dialog.
    delete window;
    Settings::UndoMitKeyUp = true;
    window = OpenWindow("abc\n");
    QVERIFY(window);
    Settings::UndoMitKeyUp = false;
    QTest::keyClicks(window->ActiveMemo(), "x");
    QVERIFY(!window->TimerUndo()->isActive());
    QCOMPARE(window->UndoStore().UndoTop(), 0);
    window->ConfigureUndoTimer();
    QVERIFY(window->TimerUndo()->isActive());
    QCOMPARE(window->TimerUndo()->interval(), 3000);
    // An interval beyond the dialog's range runs at its limit instead of overflowing.
    Settings::UndoTimerIntervall = 2147484;
    window->ConfigureUndoTimer();
    QVERIFY(window->TimerUndo()->isActive());
    QCOMPARE(window->TimerUndo()->interval(), 1000 * 1000);
}

void TestMDIQuillEdit::lineAndBlockCommandsByKey() {
    TFMDIQuill *window = OpenWindow(" one\ntwo\n  three\nfour\n");
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    QTextCursor cursor = memo->textCursor();

    // Block left over three lines: two spaces go, the length shrinks by three.
    cursor.setPosition(0);
    cursor.setPosition(12, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("one\ntwo\n three\nfour\n"));
    QCOMPARE(memo->textCursor().selectionStart(), 0);
    QCOMPARE(memo->textCursor().selectionEnd(), 9);

    // Block right on a selection ending at column 1 of the next line indents that line too.
    cursor.setPosition(4);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("one\n two\n  three\nfour\n"));
    QCOMPARE(memo->textCursor().selectionStart(), 4);
    QCOMPARE(memo->textCursor().selectionEnd(), 10);

    // Delete to end of line cuts at the caret; at offset 0 nothing happens.
    cursor.setPosition(2);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("on\n two\n  three\nfour\n"));
    QCOMPARE(memo->textCursor().position(), 2);
    cursor.setPosition(0);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("on\n two\n  three\nfour\n"));

    // Delete line takes the caret's line with its break; after the final break no line.
    cursor.setPosition(5);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("on\n  three\nfour\n"));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("on\n  three\nfour\n"));

    // Every command is one undo step. The first Ctrl+Z restores the snapshot of the current
    // text; each further one goes back one command.
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("on\n  three\nfour\n"));
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("on\n two\n  three\nfour\n"));
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("one\n two\n  three\nfour\n"));
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(window), QStringLiteral("one\ntwo\n three\nfour\n"));
}

void TestMDIQuillEdit::goToLine() {
    TFMDIQuill *window = OpenWindow("a\nbb\n\nd\ne\n");
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    const auto go = [&](const std::optional<QString> &answer) {
        m_ui->inputAnswers.enqueue(answer);
        QTest::keyClick(memo, Qt::Key_G, Qt::ControlModifier);
        const QTextCursor c = memo->textCursor();
        return QStringLiteral("%1-%2").arg(c.selectionStart()).arg(c.selectionEnd());
    };
    QCOMPARE(go(QStringLiteral("2")), QStringLiteral("2-3"));
    QCOMPARE(m_ui->inputPrompts, QStringList({QStringLiteral("gewünschte Zeile")}));
    QCOMPARE(go(QStringLiteral("3")), QStringLiteral("5-6")); // the break of the empty line
    QCOMPARE(go(QStringLiteral("5")), QStringLiteral("8-9"));
    QCOMPARE(go(QStringLiteral("6")), QStringLiteral("8-9"));
    QCOMPARE(go(QStringLiteral("abc")), QStringLiteral("8-9"));
    QCOMPARE(go(std::nullopt), QStringLiteral("8-9"));
    QCOMPARE(go(QStringLiteral("0")), QStringLiteral("0-1"));
    // The caret text follows key and mouse releases only.
    QCOMPARE(window->StatusPanel(0), QStringLiteral("Zeile: 1  Spalte: 1"));
    QTest::mouseClick(
        memo->viewport(), Qt::LeftButton, {},
        memo->cursorRect(QTextCursor(memo->document()->findBlockByNumber(1))).center());
    QCOMPARE(window->StatusPanel(0), QStringLiteral("Zeile: 2  Spalte: 1"));
}

void TestMDIQuillEdit::clipboardCommandsSetTheModifiedFlag() {
    TFMDIQuill *window = OpenWindow("hello world\n");
    QVERIFY(window);
    TMemo *memo = window->ActiveMemo();
    // Cut with nothing selected changes nothing but counts as a change.
    window->MenuItem("MnBlockAusschneiden")->trigger();
    QCOMPARE(Text(window), QStringLiteral("hello world\n"));
    QVERIFY(window->Modified());
    memo->SetModified(false);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(!window->Modified());
    QCOMPARE(memo->textCursor().selectionEnd(), 12);
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    window->MenuItem("MnBlockLoeschen")->trigger();
    QCOMPARE(Text(window), QStringLiteral("hello\n"));
    QVERIFY(window->Modified());
}

TMemo *TestMDIQuillEdit::OpenInView(const QByteArray &text, bool monochrome) {
    TFMDIQuill *window = OpenWindow(text);
    if (!window)
        return nullptr;
    if (monochrome) {
        window->MenuItem("MnSerMemoSW")->trigger();
        if (window->ActiveMemo() != window->MemoSW())
            return nullptr;
        window->ActiveMemo()->setFocus();
    }
    return window->ActiveMemo();
}

void TestMDIQuillEdit::SetCaret(TMemo *memo, int position, int anchor) {
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(anchor < 0 ? position : anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

void TestMDIQuillEdit::enterAndBraceIndentInBothViews_data() {
    QTest::addColumn<bool>("monochrome");
    QTest::newRow("colour") << false;
    QTest::newRow("monochrome") << true;
}

void TestMDIQuillEdit::enterAndBraceIndentInBothViews() {
    QFETCH(bool, monochrome);
    TMemo *memo = OpenInView("  void f() {}\n", monochrome);
    QVERIFY(memo);
    QVERIFY(Settings::AutomatischEinruecken);
    // Enter between the braces: the caret on an indented line, `}` on a line of its own.
    SetCaret(memo, 12);
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(Text(m_window), QStringLiteral("  void f() {\n    \n  }\n"));
    QCOMPARE(memo->textCursor().position(), 17);
    QVERIFY(m_window->Modified());
    // A statement opening a block, as a learner types it.
    QTest::keyClicks(memo, "for (int i = 0; i < 10; i++) {");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "x();");
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(Text(m_window), QStringLiteral("  void f() {\n    for (int i = 0; i < 10; i++) {\n"
                                            "      x();\n      \n  }\n"));
    // `}` first on the line takes one step off and lines up with its `for`.
    QTest::keyClicks(memo, "}");
    QCOMPARE(Text(m_window), QStringLiteral("  void f() {\n    for (int i = 0; i < 10; i++) {\n"
                                            "      x();\n    }\n  }\n"));
    // Every Enter and `}` is one undo step: after the snapshot of the current text, each
    // Ctrl+Z takes back one key.
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(m_window), QStringLiteral("  void f() {\n    for (int i = 0; i < 10; i++) {\n"
                                            "      x();\n      \n  }\n"));
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(m_window), QStringLiteral("  void f() {\n    for (int i = 0; i < 10; i++) {\n"
                                            "      x();\n  }\n"));

    // Switched off in the settings, Enter is a plain line break.
    Settings::AutomatischEinruecken = false;
    memo->moveCursor(QTextCursor::Start);
    memo->moveCursor(QTextCursor::EndOfLine);
    QTest::keyClick(memo, Qt::Key_Return);
    QVERIFY(Text(m_window).startsWith(QStringLiteral("  void f() {\n\n    for")));
    Settings::AutomatischEinruecken = true;
}

void TestMDIQuillEdit::bracketBoxesAndJumpInBothViews_data() {
    QTest::addColumn<bool>("monochrome");
    QTest::newRow("colour") << false;
    QTest::newRow("monochrome") << true;
}

void TestMDIQuillEdit::bracketBoxesAndJumpInBothViews() {
    QFETCH(bool, monochrome);
    TMemo *memo = OpenInView("f(a[1], \")\");\nx]\n", monochrome);
    QVERIFY(memo);
    TMemo *other = memo == m_window->MemoSW() ? static_cast<TMemo *>(m_window->MemoColor())
                                              : m_window->MemoSW();
    const auto boxes = [&] {
        QCoreApplication::processEvents(); // the boxes follow once the keystroke is done
        QStringList found;
        for (const QTextEdit::ExtraSelection &box : memo->extraSelections())
            found << QStringLiteral("%1:%2")
                         .arg(box.cursor.selectionStart())
                         .arg(box.format.background().color().red() == 255 ? "rot" : "ok");
        return found;
    };
    // After `(`: it and its partner (the `)` inside the string does not count).
    QTest::keyClick(memo, Qt::Key_Right);
    QTest::keyClick(memo, Qt::Key_Right);
    QCOMPARE(boxes(), QStringList({"1:ok", "11:ok"}));
    QVERIFY(other->extraSelections().isEmpty());
    // Ctrl+M puts the caret after the partner, and back.
    QTest::keyClick(memo, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(memo->textCursor().position(), 12);
    QCOMPARE(boxes(), QStringList({"11:ok", "1:ok"}));
    m_window->MenuItem("MnZurPassendenKlammer")->trigger();
    QCOMPARE(memo->textCursor().position(), 2);
    // An unmatched bracket gets a red box, and Ctrl+M stays.
    SetCaret(memo, 16);
    QCOMPARE(boxes(), QStringList({"15:rot"}));
    QTest::keyClick(memo, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(memo->textCursor().position(), 16);
    QCOMPARE(Text(m_window), QStringLiteral("f(a[1], \")\");\nx]\n"));
    // No bracket at the caret, no boxes.
    SetCaret(memo, 9);
    QCOMPARE(boxes(), QStringList());
}

void TestMDIQuillEdit::commentLinesByKeyIsOneUndoStep_data() {
    QTest::addColumn<bool>("monochrome");
    QTest::newRow("colour") << false;
    QTest::newRow("monochrome") << true;
}

void TestMDIQuillEdit::commentLinesByKeyIsOneUndoStep() {
    QFETCH(bool, monochrome);
    const QString original = QStringLiteral("a();\n  b();\nc();\n");
    TMemo *memo = OpenInView(original.toUtf8(), monochrome);
    QVERIFY(memo);
    // Lines 1 and 2 selected down to the start of line 3, which stays as it is.
    SetCaret(memo, 12, 0);
    QTest::keyClick(memo, Qt::Key_NumberSign, Qt::ControlModifier);
    QCOMPARE(Text(m_window), QStringLiteral("// a();\n//   b();\nc();\n"));
    QCOMPARE(memo->textCursor().selectionStart(), 0);
    QCOMPARE(memo->textCursor().selectionEnd(), 17);
    // The caret's line alone, mixed with a commented one: it gets the marker too.
    SetCaret(memo, 20);
    QTest::keyClick(memo, Qt::Key_NumberSign, Qt::ControlModifier);
    QCOMPARE(Text(m_window), QStringLiteral("// a();\n//   b();\n// c();\n"));
    QCOMPARE(memo->textCursor().position(), 23);
    // All three commented: out they go.
    SetCaret(memo, 0, int(Text(m_window).size()));
    QTest::keyClick(memo, Qt::Key_NumberSign, Qt::ControlModifier);
    QCOMPARE(Text(m_window), original);
    // One undo step per command.
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(m_window), QStringLiteral("// a();\n//   b();\n// c();\n"));
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(m_window), QStringLiteral("// a();\n//   b();\nc();\n"));
    // The menu item does the same.
    SetCaret(memo, 0);
    m_window->MenuItem("MnZeilenKommentieren")->trigger();
    QVERIFY(Text(m_window).startsWith(QStringLiteral("a();\n//   b();")));
}

void TestMDIQuillEdit::newKeysAreListedAndFree() {
    // The shortcut dialog learns the keys from the menus; no other item had them.
    const QList<KeyInUse> keys = TFMDIQuill::KeysInUse();
    QStringList texts;
    for (const KeyInUse &key : keys)
        texts << key.key;
    QCOMPARE(texts.count(QStringLiteral("Strg+M")), 1);
    QCOMPARE(texts.count(QStringLiteral("Strg+#")), 1);
    QVERIFY(TFMDIQuill::SnippetCommandForKey(Qt::Key_M, Qt::ControlModifier).isEmpty());
}

QTEST_MAIN(TestMDIQuillEdit)
#include "tst_mdiquilledit.moc"
