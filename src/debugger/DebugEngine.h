#pragma once

#include <QList>
#include <QObject>
#include <QString>

// A value of the program being debugged, as the variables view shows it.
struct DebugVariable {
    QString name;  // "i", "this", "[3]", "Konto.zaehler" (a static field: class and field)
    QString value; // "0", "\"Hallo\"", "'a'", "null", "true", "Konto (id=12)", "int[5] (id=14)"
    QString type;  // "int", "String", "Konto", "int[]": java.lang's classes without their package
    // Not 0 for an object or array that has fields or elements: Expand(objectId) gives them.
    qint64 objectId = 0;

    bool operator==(const DebugVariable &) const = default;
};

// One frame of the call stack of a stop.
struct DebugFrame {
    QString method;     // "main", "summe", "<init>"
    QString className;  // "Bank", "Konto$Buchung", "java.util.ArrayList"
    QString sourceName; // "Bank.java"; "" when the class has no source information
    int line = 0;       // from 1; 0 when unknown

    bool operator==(const DebugFrame &) const = default;
};

// Where and why the program stopped.
struct DebugStop {
    QList<DebugFrame> frames; // innermost first; never empty
    // "java.lang.ArithmeticException: / by zero" when an uncaught exception stopped it (the
    // innermost frame is the line that threw), "java.lang.IllegalStateException" without a
    // message; "" for a breakpoint or a finished step.
    QString exception;
};

// What debugs a program: the resident debug helper (DebugClient), or a fake in tests. One
// program at a time:
//   Listen -> Listening(port) -> [Quill starts the program with the agent told to connect to
//   the port and to wait] -> Stopped / Variables / Children ... -> Ended.
// Failed ends a debugging at any point (the helper could not start, died, or the program
// never connected); after Ended or Failed the engine takes a new Listen.
class DebugEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts the helper when none runs, and has it wait on the loopback address for one
    // program whose main class is mainClass. With no breakpoint set when that class is loaded,
    // the program stops at the first line of its main method.
    virtual void Listen(const QString &mainClass) = 0;
    // The breakpoints of one source file (its absolute path; the helper matches classes by
    // the file's name) as lines from 1, replacing those it had; before or during a debugging.
    // A line without code takes effect on the next line with code: BreakpointMoved says so
    // once the class is loaded.
    virtual void SetBreakpoints(const QString &fileName, const QList<int> &lines) = 0;

    // Only while stopped; each ends with the next Stopped or with Ended. Step into steps over
    // calls into the JDK's own classes; step out of main runs on to the end.
    virtual void Resume() = 0;
    virtual void StepOver() = 0;
    virtual void StepInto() = 0;
    virtual void StepOut() = 0;

    // Only while stopped: the variables of frame index (0 is the innermost), answered by
    // Variables. Stopped is always followed by Variables for frame 0 unasked.
    virtual void SelectFrame(int index) = 0;
    // Only while stopped: the fields of an object or the elements of an array (the first
    // 100, then one entry named "…" with no value), answered by Children.
    virtual void Expand(qint64 objectId) = 0;

    // Ends the program (if it still runs) and the debugging; Ended follows.
    virtual void Finish() = 0;

signals:
    void Listening(int port);
    void Stopped(const DebugStop &stop);
    // The method's parameters and local variables in the order they were declared, then
    // "this" (when the method has one), then the class's static fields.
    void Variables(int frameIndex, const QList<DebugVariable> &variables);
    void Children(qint64 objectId, const QList<DebugVariable> &children);
    void BreakpointMoved(const QString &fileName, int fromLine, int toLine);
    // The program ended or was ended; the debugging is over.
    void Ended();
    // The debugging cannot go on: the German message says why.
    void Failed(const QString &message);
};
