#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The frames the resident compiler writes to its output, decoded apart from any process so
// that every byte sequence it could send can be tried: once a ready word, then one answer
// per request.

// What the compiler answered: its exit code and its output as it wrote it.
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
