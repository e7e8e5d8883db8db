#pragma once

#include "DebugEngine.h"

#include "javarun/RunPlan.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The debug helper's requests and answers as it speaks them (QuillDebugger in tools/), in the
// framing of all resident helpers (javarun/WarmFrame.h): an answer frame's number is its
// kind, its bytes a sequence of texts, each a 32-bit big-endian byte count and UTF-8.

// What a request asks; followed by the number of its texts and the texts (numbers as
// decimal texts).
enum class DebugRequest : qint32 {
    Listen = 1,      // the main class, the milliseconds to wait for the program
    Breakpoints = 2, // the file, then its lines
    Resume = 3,
    StepOver = 4,
    StepInto = 5,
    StepOut = 6,
    Frame = 7,  // the frame's index
    Expand = 8, // the object's id
    Finish = 9,
};

// What an answer frame carries.
enum class DebugAnswerKind : qint32 {
    Listening = 1, // the port
    Stopped = 2,   // the exception, then method, class, source file and line of each frame
    Variables = 3, // the frame's index, then name, value, type and object id of each
    Children = 4,  // the object's id, then name, value, type and object id of each
    Moved = 5,     // the file, the line asked for, the line it took effect on
    Ended = 6,
    Failed = 7, // the German message
};

// One answer, decoded; only the members of its kind are set.
struct DebugAnswer {
    DebugAnswerKind kind = DebugAnswerKind::Ended;
    int port = 0;                   // Listening
    DebugStop stop;                 // Stopped
    int frameIndex = 0;             // Variables
    qint64 objectId = 0;            // Children
    QList<DebugVariable> variables; // Variables, Children
    QString fileName;               // Moved
    int fromLine = 0;               // Moved
    int toLine = 0;                 // Moved
    QString message;                // Failed
};

// The bytes of a request.
QByteArray DebugRequestBytes(DebugRequest kind, const QStringList &texts = {});

// True for the kinds of answers this Quill knows; a later helper's others are skipped.
bool IsKnownDebugAnswer(qint32 kind);

// The answer of a known kind from its frame's bytes; nothing when they do not make one (a
// broken helper).
std::optional<DebugAnswer> DecodeDebugAnswer(qint32 kind, QByteArrayView bytes);

// The bytes of an answer as the helper writes them (for tests and for trying the decoder).
QByteArray DebugAnswerBytes(const DebugAnswer &answer);

// The helper's class and its class file, in its folder.
QString DebugHelperClass();
QString DebugHelperClassFile();

// The command that starts the helper with a JDK's launcher; its class is looked up in
// helperDir.
Command DebugHelperCommand(const QString &launcher, const QString &helperDir);
