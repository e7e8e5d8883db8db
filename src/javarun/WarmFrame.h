#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The frames Quill's resident Java helpers (the resident compiler, the Java console) write to
// their output, decoded apart from any process so that every byte sequence they could send
// can be tried: once a ready word, then answers. Requests are built of the same words and
// texts.

// An answer: its number (the compiler's exit code, the kind of a console answer) and its
// bytes as the helper wrote them.
struct WarmAnswer {
    int exitCode = 0;
    QByteArray output;
};

// How far the bytes received so far hold a frame.
enum class FrameState {
    Incomplete, // more bytes are needed
    Complete,
    Broken, // no continuation makes a valid frame: the compiler cannot be used any more
};

// The ready word: four bytes.
constexpr qsizetype ReadyFrameBytes = 4;
FrameState DecodeReadyFrame(QByteArrayView bytes);

// The head of an answer: the exit code and the output's byte count as big-endian 32-bit
// words; the output follows.
constexpr qsizetype AnswerHeadBytes = 8;
// Longer answers count as broken, so a damaged count never makes Quill wait for gigabytes.
constexpr qsizetype MaxAnswerBytes = 64 * 1024 * 1024;

struct AnswerFrame {
    FrameState state = FrameState::Incomplete;
    int exitCode = 0;          // when Complete
    qsizetype outputBytes = 0; // when Complete; the output starts at AnswerHeadBytes
    // Bytes of the whole frame.
    qsizetype Bytes() const { return AnswerHeadBytes + outputBytes; }
};

// The answer at the start of the bytes, without copying its output.
AnswerFrame DecodeAnswerFrame(QByteArrayView bytes);

// Appends a big-endian 32-bit word to a request.
void AppendFrameWord(QByteArray &bytes, qint32 word);
// Appends a text as UTF-8 with its byte count in front.
void AppendFrameText(QByteArray &bytes, const QString &text);
