// The debug helper's answers: any kind with any bytes. Decoding never reads past the bytes; an
// answer that decodes is written again and decodes to the same answer, and its frame bytes
// decode as one whole frame.

#include "FuzzCheck.h"

#include "debugger/DebugProtocol.h"
#include "javarun/WarmFrame.h"

namespace {

bool Same(const DebugAnswer &a, const DebugAnswer &b) {
    return a.kind == b.kind && a.port == b.port && a.stop.frames == b.stop.frames &&
           a.stop.exception == b.stop.exception && a.frameIndex == b.frameIndex &&
           a.objectId == b.objectId && a.variables == b.variables && a.fileName == b.fileName &&
           a.fromLine == b.fromLine && a.toLine == b.toLine && a.message == b.message;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const qint32 kind = input.ConsumeIntegralInRange<qint32>(0, 9);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray body(rest.data(), qsizetype(rest.size()));

    const std::optional<DebugAnswer> answer = DecodeDebugAnswer(kind, body);
    FUZZ_CHECK(!answer || IsKnownDebugAnswer(kind));
    if (!answer)
        return 0;
    FUZZ_CHECK(qint32(answer->kind) == kind);
    if (answer->kind == DebugAnswerKind::Stopped)
        FUZZ_CHECK(!answer->stop.frames.isEmpty());

    const QByteArray again = DebugAnswerBytes(*answer);
    const AnswerFrame frame = DecodeAnswerFrame(again);
    FUZZ_CHECK(frame.state == FrameState::Complete && frame.Bytes() == again.size());
    FUZZ_CHECK(frame.exitCode == kind);
    const std::optional<DebugAnswer> back =
        DecodeDebugAnswer(frame.exitCode, QByteArrayView(again).sliced(AnswerHeadBytes));
    FUZZ_CHECK(back && Same(*answer, *back));
    return 0;
}
