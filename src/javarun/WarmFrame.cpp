#include "WarmFrame.h"

#include <QtEndian>

namespace {

// The ready word (see the helpers' sources).
constexpr quint32 ReadyWord = 0x51434C31;

qint32 WordAt(QByteArrayView bytes, qsizetype at) {
    return qFromBigEndian<qint32>(bytes.data() + at);
}

} // namespace

FrameState DecodeReadyFrame(QByteArrayView bytes) {
    if (bytes.size() < ReadyFrameBytes)
        return FrameState::Incomplete;
    return quint32(WordAt(bytes, 0)) == ReadyWord ? FrameState::Complete : FrameState::Broken;
}

AnswerFrame DecodeAnswerFrame(QByteArrayView bytes) {
    AnswerFrame frame;
    if (bytes.size() < AnswerHeadBytes)
        return frame;
    const qint32 size = WordAt(bytes, 4);
    if (size < 0 || size > MaxAnswerBytes) {
        frame.state = FrameState::Broken;
        return frame;
    }
    if (bytes.size() - AnswerHeadBytes < size)
        return frame;
    frame.state = FrameState::Complete;
    frame.exitCode = WordAt(bytes, 0);
    frame.outputBytes = size;
    return frame;
}

void AppendFrameWord(QByteArray &bytes, qint32 word) {
    char raw[4];
    qToBigEndian(word, raw);
    bytes.append(raw, 4);
}

void AppendFrameText(QByteArray &bytes, const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    AppendFrameWord(bytes, qint32(utf8.size()));
    bytes.append(utf8);
}
