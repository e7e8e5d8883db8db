#pragma once

#include "editor/DocumentMirror.h"
#include "editor/LineMarks.h"
#include "editor/TextFile.h"
#include "editor/UndoDocument.h"
#include "editor/UndoHistory.h"

#include <QByteArray>
#include <QString>
#include <QTextDocument>

// Where the undo history of a document keeps and puts back the caret: the view the user
// works in.
class DocumentCaret {
public:
    virtual ~DocumentCaret() = default;
    // Start of the selection (the caret when nothing is selected).
    virtual int caret() const = 0;
    // Puts the caret at `offset` with nothing selected.
    virtual void setCaret(int offset) = 0;
};

// One document of an editor window: its text (the one QTextDocument that every view of the
// window shows), the marks on its lines, its undo history, the copy of the text that search
// reads, and the file behind it: whether there is one, its name and the parts of that name,
// the encoding and line-break style it was read with, and the bytes last read or written.
// Reading and writing go through here, with the backup, symbolic links and the restore on
// failure. The history, the search copy and the marks follow the text through one listener
// on its changes. QtGui only; the window adapts it to its menus and text controls.
class EditorDocument : private UndoDocument {
public:
    // The name a document without a file shows where a file name is asked for.
    static const QString &NoName();

    EditorDocument();
    ~EditorDocument() override;
    EditorDocument(const EditorDocument &) = delete;
    EditorDocument &operator=(const EditorDocument &) = delete;

    // The text. Its own undo is off: the history answers undo and redo.
    QTextDocument &text() { return m_text; }
    const QTextDocument &text() const { return m_text; }
    // The text as search and bracket matching read it, in plain memory.
    const TextSource &searchSource() { return m_mirror.Source(); }
    // The marks on the text's lines.
    LineMarks &marks() { return m_marks; }
    const LineMarks &marks() const { return m_marks; }
    // The undo history of the text.
    UndoHistory &undo() { return m_undo; }
    const UndoHistory &undo() const { return m_undo; }
    // The view whose caret the history keeps and puts back; nullptr for none.
    void setCaretView(DocumentCaret *view) { m_caretView = view; }
    // Bytes held by the copy of the text that search reads.
    qsizetype searchCopyBytes() const { return m_mirror.bytes(); }

    // Whether the document has a file of its own (it was opened or saved).
    bool hasFile() const { return m_hasFile; }
    // Full path of the file, or NoName() while there is none.
    QString fileName() const { return m_hasFile ? m_fileName : NoName(); }
    // Directory (with its trailing separator), base name and extension (with its dot) of
    // the last requested or chosen name; kept while the document has no file.
    QString fileDir() const { return m_fileDir; }
    QString fileBase() const { return m_fileBase; }
    QString fileExt() const { return m_fileExt; }
    TextFileFormat format() const { return m_format; }

    // Takes the parts of a name without claiming the file (a requested name, a proposal).
    void setRequestedName(const QString &name);
    // Proposes base name and extension for a document that has none yet.
    void proposeName(const QString &base, const QString &ext);
    // The document's file becomes `name` (made absolute); nothing is read or written.
    void setFile(const QString &name);

    // Whether this document's file is the file `name` names (the same file through a
    // link or another path counts); never true without a file.
    bool holdsFile(const QString &name) const;

    // Reads a file. On success the text is returned with '\n' breaks and the document's
    // file, format and bytes are that file's; on failure `error` holds a German message
    // and nothing changed.
    bool read(const QString &name, QString &text, QString &error);
    // Whether the bytes of the last successful read are no text (TextFile::IsNotText): the
    // text shown stands for them only as far as it can, and saving an edit may change them.
    bool readNotText() const { return m_readNotText; }
    // The text as the editor holds it right after loading (a text control may store some
    // characters differently): that text counts as unchanged and is written back as the
    // bytes read.
    void setLoadedText(const QString &text);
    // Writes the text to the document's file in its format: unchanged text as exactly the
    // bytes it was read from. With `backup`, the old file is kept under its backup name
    // (through a symbolic link, the link stays and its target's content is copied). On
    // failure the file is as it was and `error` holds a German message.
    bool write(const QString &text, bool backup, QString &error);
    // Writes the text to the file for a compile: the document's format, no backup, and the
    // kept bytes are not updated (the next save still compares with what was read).
    bool writeForBuild(const QString &text, QString &error);

    // Size of the document's file, -1 when there is none.
    qint64 fileSize() const;

private:
    // UndoDocument: the text as the history sees it.
    int length() const override;
    QString text(int position, int count) const override;
    void replace(int position, int count, const QString &text) override;
    int caret() const override;
    void setCaret(int offset) override;
    void setModified() override;
    // The one listener on the text's changes.
    void textChanged(int position, int removed, int added);

    QTextDocument m_text;
    DocumentMirror m_mirror;
    LineMarks m_marks;
    UndoHistory m_undo;
    DocumentCaret *m_caretView = nullptr;
    QMetaObject::Connection m_listener;

    bool m_hasFile = false;
    QString m_fileName;
    QString m_fileDir;
    QString m_fileBase;
    QString m_fileExt;
    TextFileFormat m_format;
    // The file's bytes as last read or written, and a digest of the text they hold: an
    // unchanged text is written back as exactly these bytes, whatever mix of line breaks
    // they had.
    QByteArray m_fileBytes;
    QByteArray m_textDigest;
    bool m_readNotText = false;
};
