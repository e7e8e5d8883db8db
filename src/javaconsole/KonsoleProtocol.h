#pragma once

#include "javarun/RunPlan.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The Java console's requests and answers as its resident helper (QuillJavaKonsole in tools/)
// speaks them, in the framing of all resident helpers (javarun/WarmFrame.h).

// What a request asks; followed by the number of its texts and the texts.
enum class KonsoleRequest : qint32 {
    Evaluate = 1,  // the input
    Stop = 2,      // no texts, not answered: ends the evaluation that runs
    Reset = 3,     // a fresh state, the class path kept
    ClassPath = 4, // folders to add to the class path
};

// What an answer frame carries (its number); the last frame of a request is Done,
// Incomplete or Stopped.
enum class KonsoleAnswer : qint32 {
    Out = 1,       // the learner's System.out, UTF-8 in pieces as printed
    Err = 2,       // System.err likewise
    Value = 3,     // a value or a declared variable: "12", "x = 5"
    Info = 4,      // "Methode summe(int,int) angelegt", "Klasse Punkt angelegt"
    Error = 5,     // the compiler's messages with the line and a ^ under the place
    Exception = 6, // "Ausnahme: <class>: <message>" and the learner's stack lines
    Cut = 7,       // output beyond the limit was dropped
    Done = 10,
    Incomplete = 11, // the input goes on: nothing of it ran
    Stopped = 12,
};

// The bytes of a request.
QByteArray KonsoleRequestBytes(KonsoleRequest kind, const QStringList &texts = {});

// The helper's class and its class file, beside the program.
QString KonsoleHelperClass();
QString KonsoleHelperClassFile();

// The command that starts the helper with a JDK's launcher; its class is looked up in
// helperDir. The options make the JVM start fast and keep it small.
Command KonsoleHelperCommand(const QString &launcher, const QString &helperDir);
