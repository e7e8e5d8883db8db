#pragma once

#include "CompilerMessage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A check of a window's text while the learner types: what is sent to the resident compiler
// and what comes back, as values apart from any process.

// A text that stands in for a file of the folder: its full name and the window's text.
struct CheckText {
    QString fileName;
    QString text;
    bool operator==(const CheckText &) const = default;
};

// What one check compiles: in the folder (the resident compiler's working directory), with
// the options F8 would give the compiler, the main text as the file mainFile, and the texts
// of other open windows in place of their files on disk.
struct CheckRequest {
    QString folder;
    QStringList options;
    CheckText main;
    QList<CheckText> others;
    bool operator==(const CheckRequest &) const = default;
};

// One compiler message on the main text: from line/column to endLine/endColumn (lines from
// 1, columns from 0, counted in characters of the text); an end equal to the start means the
// compiler gave only a place.
struct CheckedMessage {
    DiagnosticKind kind = DiagnosticKind::Error;
    int line = 0;
    int column = -1;
    int endLine = 0;
    int endColumn = -1;
    QString message; // the compiler's text, possibly of several lines
    QString code;    // the compiler's key for it ("compiler.err...")
    bool operator==(const CheckedMessage &) const = default;
};

// The word that starts a check request in place of an argument count.
constexpr qint32 CheckRequestWord = -0x51434B31;

// The answer's number for a check the resident compiler could not do (the compiler failed).
constexpr qint32 CheckRefusedWord = -0x7FFFFFFF - 1;
// The longest text a request may carry, in UTF-8 bytes (see the resident compiler).
constexpr qsizetype MaxCheckTextBytes = 1 << 20;

// Whether every text of the request fits into a request.
bool FitsCheckRequest(const CheckRequest &request);

// The request's bytes: the check word, the folder, the options, the main file's name and
// text, then the other texts.
QByteArray EncodeCheckRequest(const CheckRequest &request);

// The messages of a check answer's output; nothing when the bytes are not such a list.
std::optional<QList<CheckedMessage>> DecodeCheckMessages(QByteArrayView bytes);

// The compiler options of a check: the F8 compile's arguments (configured parameters with
// the source encoding, and the class path of the shipped classes when there is one) without
// the source file. Nothing when the resident compiler could not compile them as the process
// would.
std::optional<QStringList> CheckOptions(const QString &parameters, const QString &sourceEncoding,
                                        const QString &classPath, bool localeIsUtf8);

// Whether the file's name makes its text a Java source worth checking.
bool IsCheckedSource(const QString &fileName);

// The texts that stand in for files of the folder in a check of mainFile: those of the
// candidates (the other open windows, name and text) that are Java sources of that folder,
// apart from mainFile itself.
QList<CheckText> CheckTextsOfFolder(const QString &folder, const QString &mainFile,
                                    const QList<CheckText> &candidates);
