// The undo history on large documents shown by a real text control (offscreen): the memory
// of 400 snapshots, the snapshot on a key release, and undo and redo of a one-character edit.
// Inputs are written by gen_java.py on first use into the build directory.

#include "BenchJavaFile.h"
#include "QtBenchmarkMain.h"

#include "editor/EditorDocument.h"
#include "editor/MemoCaret.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextBlock>
#include <QTextCursor>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString JavaSource(int lines) {
    return BenchJavaFileText(lines);
}

// A document holding a generated file, shown by a text control, with the loaded text taken
// as the first snapshot of its history.
struct Editor {
    // The history as the window reaches it.
    struct Undo {
        EditorDocument &document;
        UndoHistory &history() { return document.undo(); }
    };
    EditorDocument document;
    QPlainTextEdit edit;
    MemoCaret caret;
    Undo undo{document};
    explicit Editor(int lines) {
        QTextDocument &text = document.text();
        text.setDocumentLayout(new QPlainTextDocumentLayout(&text));
        edit.setDocument(&text);
        caret.setMemo(&edit);
        document.setCaretView(&caret);
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setPlainText(JavaSource(lines));
        edit.resize(800, 600);
        edit.show();
        QElapsedTimer timer;
        timer.start();
        undo.history().SaveUndoState();
        firstSnapshotMs = double(timer.nsecsElapsed()) / 1e6;
    }
    ~Editor() {
        document.setCaretView(nullptr);
        edit.setDocument(nullptr);
    }
    double firstSnapshotMs = 0; // the whole text is read and copied once
    // Types one character at `position`, as a key press does.
    void type(int position, QChar c) {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(position);
        cursor.insertText(QString(c));
        edit.setTextCursor(cursor);
    }
    int length() const { return edit.document()->characterCount() - 1; }
};

Editor &MillionLines() {
    static std::unique_ptr<Editor> editor = std::make_unique<Editor>(1000000);
    return *editor;
}

// U1: 400 snapshots of a 100,000-line file, each after typing one character somewhere.
void BM_U1_History400Snapshots100kLines(benchmark::State &state) {
    qsizetype bytes = 0;
    qsizetype wholeCopy = 0;
    for (auto _ : state) {
        Editor editor(100000);
        wholeCopy = qsizetype(editor.length()) * qsizetype(sizeof(QChar));
        for (int i = 0; i < 400; ++i) {
            editor.type(int((qint64(i) * 7919 * 449) % editor.length()), QLatin1Char('x'));
            editor.undo.history().SaveUndoState();
        }
        bytes = editor.undo.history().historyBytes();
        if (editor.undo.history().UndoTop() != 400)
            state.SkipWithError("history not full");
    }
    state.counters["history_MB"] = double(bytes) / 1e6;
    state.counters["whole_copies_MB"] = double(wholeCopy) * 400 / 1e6;
}
BENCHMARK(BM_U1_History400Snapshots100kLines)->Iterations(1)->Unit(benchmark::kMillisecond);

// U2: the snapshot on a key release when nothing changed since the last one.
void BM_U2_KeyReleaseUnchanged1M(benchmark::State &state) {
    Editor &editor = MillionLines();
    editor.undo.history().SaveUndoState();
    for (auto _ : state)
        editor.undo.history().SaveUndoState();
    state.counters["first_snapshot_ms"] = editor.firstSnapshotMs;
}
BENCHMARK(BM_U2_KeyReleaseUnchanged1M)->Unit(benchmark::kMicrosecond);

// U2: the snapshot on a key release after one typed character.
void BM_U2_KeyReleaseAfterOneChar1M(benchmark::State &state) {
    Editor &editor = MillionLines();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.type(int((qint64(++i) * 104729 * 7) % editor.length()), QLatin1Char('y'));
        state.ResumeTiming();
        editor.undo.history().SaveUndoState();
    }
}
BENCHMARK(BM_U2_KeyReleaseAfterOneChar1M)->Unit(benchmark::kMicrosecond);

// Entry UndoPos - 1 holds the text before one typed character, entry UndoPos the text after.
void TypeAndSnapshot(Editor &editor) {
    editor.type(editor.length() / 2, QLatin1Char('z'));
    editor.undo.history().SaveUndoState();
}

// U3: undo that takes back one typed character.
void BM_U3_UndoOneChar1M(benchmark::State &state) {
    Editor &editor = MillionLines();
    UndoHistory &history = editor.undo.history();
    TypeAndSnapshot(editor);
    history.Undo(); // shows the same text: the next undo is the one that changes it
    for (auto _ : state) {
        history.Undo();
        state.PauseTiming();
        history.Redo();
        history.Redo();
        history.Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_U3_UndoOneChar1M)->Unit(benchmark::kMicrosecond);

// U3: redo that brings the typed character back.
void BM_U3_RedoOneChar1M(benchmark::State &state) {
    Editor &editor = MillionLines();
    UndoHistory &history = editor.undo.history();
    TypeAndSnapshot(editor);
    history.Undo();
    history.Undo();
    history.Redo(); // shows the older text: the next redo is the one that changes it
    for (auto _ : state) {
        history.Redo();
        state.PauseTiming();
        history.Undo();
        history.Undo();
        history.Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_U3_RedoOneChar1M)->Unit(benchmark::kMicrosecond);

// Undo by menu (no snapshot in between) through a history of edits that alternate between
// the top and the bottom of the file: each step must cost its own edit, not the distance
// between the edits.
void BM_UndoAlternatingFarEdits1M(benchmark::State &state) {
    Editor &editor = MillionLines();
    UndoHistory &history = editor.undo.history();
    // Short lines, each edited once, so that no edit makes or unmakes the widest line: the
    // text control then measures every line again, which is its own cost, not the history's.
    const auto shortLine = [&editor](int number) {
        QTextBlock block = editor.edit.document()->findBlockByNumber(number);
        while (block.length() > 40)
            block = block.next();
        return block.position();
    };
    const int lines = editor.edit.document()->blockCount();
    for (int i = 0; i < 100; ++i) {
        editor.type(shortLine(i % 2 == 0 ? 100 + 50 * i : lines - 100 - 50 * i), QLatin1Char('w'));
        history.SaveUndoState();
    }
    for (auto _ : state) {
        if (history.UndoPos() == 0) {
            state.PauseTiming();
            while (history.UndoPos() < history.UndoTop())
                history.Redo();
            state.ResumeTiming();
        }
        history.Undo();
        if (state.range(0) == 1)
            history.SaveUndoState(); // the release of Z in key mode
    }
}
// 0: undo through the menu; 1: Ctrl+Z in key mode, a snapshot on every release.
BENCHMARK(BM_UndoAlternatingFarEdits1M)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
