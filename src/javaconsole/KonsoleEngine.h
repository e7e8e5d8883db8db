#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The kinds of text in the console's transcript.
enum class KonsoleText {
    Input, // what the learner typed, with its prompt
    Out,   // System.out
    Err,   // System.err
    Value, // a value or a declared variable
    Info,  // a method or class declared
    Error, // the compiler's message
    Exception,
    Note, // the console's own notes: starting, stopped, reloaded
};

// How a request to the engine ended.
enum class KonsoleOutcome {
    Done,
    Incomplete, // the input goes on; nothing of it ran
    Stopped,    // stopped on request; the state is kept
    Restarted,  // Java ended or had to be ended and runs afresh: the state is lost
};

// What evaluates the console's input: the resident Java helper (KonsoleClient), or a fake in
// tests. It takes one request at a time: after Evaluate, Reset or SetClassPath comes exactly
// one Finished, unless Failed comes instead.
class KonsoleEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts Java in the background unless it runs or starts already.
    virtual void Start() = 0;
    // True once Java takes requests.
    virtual bool IsReady() const = 0;
    virtual void Evaluate(const QString &input) = 0;
    // Ends the evaluation that runs, keeping the state where Java allows.
    virtual void Stop() = 0;
    // A fresh state; the class path is kept.
    virtual void Reset() = 0;
    // Puts the folders on the class path (in addition to those already there).
    virtual void SetClassPath(const QStringList &folders) = 0;

signals:
    void Ready();
    // Text of the request that runs, in the order it came.
    void Output(KonsoleText kind, const QString &text);
    void Finished(KonsoleOutcome outcome);
    // Java cannot run: the message says why. A later Start tries again.
    void Failed(const QString &message);
};
