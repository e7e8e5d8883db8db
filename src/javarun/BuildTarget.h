#pragma once

#include <QString>

class QObject;

// What the build commands need of an editor window. The editor window provides it through
// a small adapter; tests use fakes.
class BuildTarget {
public:
    virtual ~BuildTarget() = default;

    // Whether the document has a file of its own; a never-saved one has none.
    virtual bool HasFile() const = 0;
    // Full path of the document's file (the no-name text while it has none).
    virtual QString FileName() const = 0;
    // Base name (the Java class name) and extension with its dot.
    virtual QString FileBase() const = 0;
    virtual QString FileExt() const = 0;
    // The Java name of the encoding the file is written in ("UTF-8", "windows-1252"), or
    // "" to leave it to the compiler.
    virtual QString SourceEncoding() const = 0;
    // The text of the active text control: it decides how a run is carried out.
    virtual QString SourceText() const = 0;
    // Whether that text has changes not yet written to the file.
    virtual bool Modified() const = 0;
    // Writes the active text to FileName in the document's own encoding and line breaks,
    // without a backup, and clears the modified flag. False when it could not be written
    // (the message has been shown; the file is unchanged).
    virtual bool WriteForBuild() = 0;
    // Shows a short status text while the compiler runs; "" clears it.
    virtual void ShowBuildStatus(const QString &text) = 0;
    // The object whose destruction ends the window (the user may close it while a run
    // keeps the window responsive), or nullptr when it cannot go away meanwhile.
    virtual QObject *LifetimeObject() = 0;
};
