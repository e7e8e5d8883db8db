// The undo history against the history as the window's fields describe it: 400 whole copies
// of the text and caret. Random edits (reported exactly or wider, as documents do), caret
// moves, resets, snapshots, undo and redo; every restored text and every entry must equal
// its copy.

#include "FuzzCheck.h"

#include "editor/UndoDocument.h"
#include "editor/UndoHistory.h"
#include "WholeCopies.h"

#include <array>
#include <vector>

namespace {

// A text in a string that reports its changes the way a text document does.
class StringDocument : public UndoDocument {
public:
    UndoHistory *history = nullptr;
    QString content;
    int cursor = 0;
    // Changes are reported as reaching this many characters further on both sides.
    int overReport = 0;

    int length() const override { return int(content.size()); }
    QString text(int position, int count) const override { return content.mid(position, count); }
    void replace(int position, int count, const QString &text) override {
        FUZZ_CHECK(position >= 0 && count >= 0 && position + count <= length());
        const int before = std::min(overReport, position);
        const int after = std::min(overReport, length() - position - count);
        const QString removed = content.mid(position - before, count + before + after);
        content.replace(position, count, text);
        history->contentsChange(position - before, count + before + after,
                                int(text.size()) + before + after, removed);
    }
    int caret() const override { return cursor; }
    void setCaret(int offset) override {
        FUZZ_CHECK(offset >= 0 && offset <= length());
        cursor = offset;
    }
    void setModified() override {}

    void edit(int position, int count, const QString &text) {
        replace(position, count, text);
        cursor = position + int(text.size());
    }
};

const std::array<QString, 8> Pieces = {QStringLiteral("a"),      QStringLiteral("b"),
                                       QStringLiteral("\n"),     QStringLiteral(" "),
                                       QStringLiteral("\u00e4"), QString::fromUtf16(u"\U0001F600"),
                                       QStringLiteral("{\n}"),   QStringLiteral("  int x;\n")};

QString ConsumePieces(FuzzedDataProvider &input, int maxPieces) {
    QString text;
    for (int n = input.ConsumeIntegralInRange(0, maxPieces); n > 0; --n)
        text += Pieces[input.ConsumeIntegral<uint8_t>() % Pieces.size()];
    return text;
}

void CheckRestored(const StringDocument &document, const UndoHistory::UndoState *state) {
    if (!state)
        return;
    FUZZ_CHECK(document.content == state->text);
    FUZZ_CHECK(document.cursor == std::min(state->offset, document.length()));
}

// Every entry of a short history; of a long one (each entry is rebuilt on request, which
// costs a walk through the history) the first, the last and an evenly spread sample from an
// offset the input chooses.
void CheckEntries(const UndoHistory &history, const WholeCopies &model, int offset) {
    FUZZ_CHECK(history.LastUndoText() == model.last);
    const int stride = std::max(1, model.top / 40);
    for (int k = 1; k <= model.top; ++k) {
        if (k != 1 && k != model.top && (k + offset) % stride != 0)
            continue;
        const UndoHistory::UndoState state = history.UndoStates(k);
        FUZZ_CHECK(state.text == model.states[size_t(k)].text);
        FUZZ_CHECK(state.offset == model.states[size_t(k)].offset);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    StringDocument document;
    UndoHistory history(document);
    document.history = &history;
    document.overReport = input.ConsumeIntegralInRange(0, 3);
    WholeCopies model;
    document.edit(0, 0, ConsumePieces(input, 40));

    int typingBudget = 2 * UndoHistory::stateCount;
    for (int step = 0; step < 200 && input.remaining_bytes() > 0; ++step) {
        const int choice = input.ConsumeIntegralInRange(0, 15);
        if (choice < 5) {
            const int position = input.ConsumeIntegralInRange(0, document.length());
            const int count = input.ConsumeIntegralInRange(0, document.length() - position);
            document.edit(position, count, ConsumePieces(input, choice == 0 ? 30 : 3));
        } else if (choice == 5) {
            document.cursor = input.ConsumeIntegralInRange(0, document.length());
        } else if (choice == 6) {
            document.overReport = input.ConsumeIntegralInRange(0, 3);
        } else if (choice == 7) {
            // A change that gives back what it takes, as a formatting change is reported.
            const int position = input.ConsumeIntegralInRange(0, document.length());
            const int count = input.ConsumeIntegralInRange(0, document.length() - position);
            document.replace(position, count, document.content.mid(position, count));
        } else if (choice < 10) {
            history.SaveUndoState();
            model.save(document.content, document.cursor);
        } else if (choice == 10) {
            // Typing with a snapshot at every key, enough to fill the history (twice at most:
            // an input must not take seconds).
            const QString key = Pieces[input.ConsumeIntegral<uint8_t>() % Pieces.size()];
            const int count = std::min(input.ConsumeIntegralInRange(1, 450), typingBudget);
            typingBudget -= count;
            for (int n = count; n > 0; --n) {
                document.edit(document.cursor, 0, key);
                history.SaveUndoState();
                model.save(document.content, document.cursor);
            }
        } else if (choice < 13) {
            history.Undo();
            CheckRestored(document, model.undo());
        } else if (choice < 15) {
            history.Redo();
            CheckRestored(document, model.redo());
        } else {
            CheckEntries(history, model, input.ConsumeIntegral<uint8_t>());
        }
        FUZZ_CHECK(history.UndoPos() == model.pos);
        FUZZ_CHECK(history.UndoTop() == model.top);
    }
    CheckEntries(history, model, 0);
    return 0;
}
