// The resident compiler's answer framing: any bytes, arriving in any pieces, after the ready
// word. Pieces or whole, the same answers come out; each is exactly the bytes it was read
// from, and an answer that can never be complete is seen as broken at once.

#include "FuzzCheck.h"

#include "javarun/WarmFrame.h"

#include <QtEndian>

#include <vector>

namespace {

struct Reader {
    QByteArray buffer;
    bool ready = false;
    bool broken = false;
    std::vector<WarmAnswer> answers;
    qsizetype consumed = 0;

    // As the compiler's output is read: append, then take every complete frame.
    void Receive(const QByteArray &bytes) {
        if (broken)
            return;
        buffer += bytes;
        if (!ready) {
            const FrameState state = DecodeReadyFrame(buffer);
            if (state == FrameState::Broken)
                broken = true;
            if (state != FrameState::Complete)
                return;
            buffer.remove(0, ReadyFrameBytes);
            consumed += ReadyFrameBytes;
            ready = true;
        }
        for (;;) {
            const AnswerFrame frame = DecodeAnswerFrame(buffer);
            if (frame.state == FrameState::Broken)
                broken = true;
            if (frame.state != FrameState::Complete)
                return;
            FUZZ_CHECK(frame.Bytes() <= buffer.size());
            answers.push_back({frame.exitCode, buffer.mid(AnswerHeadBytes, frame.outputBytes)});
            buffer.remove(0, frame.Bytes());
            consumed += frame.Bytes();
        }
    }
};

QByteArray Encoded(const WarmAnswer &answer) {
    QByteArray bytes(AnswerHeadBytes, '\0');
    qToBigEndian(qint32(answer.exitCode), bytes.data());
    qToBigEndian(qint32(answer.output.size()), bytes.data() + 4);
    return bytes + answer.output;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool withReady = input.ConsumeBool();
    std::vector<size_t> cuts;
    for (int n = input.ConsumeIntegralInRange(0, 8); n > 0; --n)
        cuts.push_back(input.ConsumeIntegralInRange<size_t>(0, 64));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    QByteArray stream = withReady ? QByteArray::fromHex("51434C31") : QByteArray();
    stream += QByteArray(rest.data(), qsizetype(rest.size()));

    Reader whole;
    whole.Receive(stream);
    Reader pieces;
    qsizetype at = 0;
    for (const size_t cut : cuts) {
        const qsizetype length = std::min<qsizetype>(qsizetype(cut), stream.size() - at);
        pieces.Receive(stream.mid(at, length));
        at += length;
    }
    pieces.Receive(stream.mid(at));

    FUZZ_CHECK(whole.ready == pieces.ready && whole.broken == pieces.broken);
    FUZZ_CHECK(whole.answers.size() == pieces.answers.size());
    QByteArray read = whole.ready ? stream.left(ReadyFrameBytes) : QByteArray();
    for (size_t i = 0; i < whole.answers.size(); ++i) {
        FUZZ_CHECK(whole.answers[i].exitCode == pieces.answers[i].exitCode);
        FUZZ_CHECK(whole.answers[i].output == pieces.answers[i].output);
        read += Encoded(whole.answers[i]);
    }
    FUZZ_CHECK(read == stream.left(whole.consumed));
    // What is left is an answer still to come, unless it is broken.
    if (whole.ready && !whole.broken) {
        const QByteArray left = stream.mid(whole.consumed);
        FUZZ_CHECK(DecodeAnswerFrame(left).state == FrameState::Incomplete);
        if (left.size() >= AnswerHeadBytes) {
            const qint32 count = qFromBigEndian<qint32>(left.constData() + 4);
            FUZZ_CHECK(count >= 0 && count <= MaxAnswerBytes &&
                       left.size() < AnswerHeadBytes + count);
        }
    }
    return 0;
}
