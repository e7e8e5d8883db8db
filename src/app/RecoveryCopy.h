#pragma once

#include <QDateTime>
#include <QString>

// What a recovery copy keeps of a document that has unsaved changes.
struct RecoveryCopy {
    // The name a copy of a document without a file carries.
    static QString noName() { return QStringLiteral("noname"); }

    QString fileName = noName(); // full path of the document's file, or noName()
    QString encoding;            // the encoding the file is written with ("UTF-8", ...)
    qsizetype caret = 0;         // caret position in characters, each line break one
    QString text;                // the text; line breaks '\n' (U+2029 counts as one too)

    bool hasFile() const { return fileName != noName(); }
};

// A copy found in the recovery folder that no running program holds.
struct OrphanCopy {
    QString path;      // the copy's own file
    QDateTime written; // when the copy was written (its modification time)
    RecoveryCopy copy;
};
