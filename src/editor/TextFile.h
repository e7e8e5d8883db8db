#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Reading and writing the user's text files. A file is read as UTF-8 when it is valid UTF-8
// (with or without a byte order mark), otherwise as Windows-1252; its encoding and
// line-break style are remembered so that an unedited text is written back byte for byte.

enum class TextEncoding { Utf8, Utf8WithBom, Windows1252 };
enum class LineBreakStyle { Lf, CrLf, Cr };

struct TextFileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    LineBreakStyle lineBreak = LineBreakStyle::Lf;
    bool operator==(const TextFileFormat &) const = default;
};

// A text as the editor holds it: every line break is '\n'.
struct DecodedText {
    QString text;
    TextFileFormat format;
    QByteArray original;  // the bytes the text was decoded from
    bool notText = false; // the bytes are no text (TextFile::IsNotText)
};

namespace TextFile {

// Files larger than this are refused with "Text überschreitet Memo-Kapazität".
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// The format of a new file: UTF-8 without byte order mark, the platform's line breaks.
TextFileFormat DefaultFormat();

// Detects encoding and line-break style (that of the first line break; LF, CR LF and CR
// are all accepted) and returns the text with '\n' breaks.
DecodedText Decode(const QByteArray &bytes);
// Whether the bytes are no text in any of the encodings the program knows (UTF-8,
// Windows-1252, the DOS code page): they hold a NUL byte or another control byte that text
// never uses, as a class file or an image does. Such a file can still be shown as text,
// but editing and saving it may change it.
bool IsNotText(const QByteArray &bytes);
// The notice for a file whose bytes are no text, naming the file.
QString NotTextNotice(const QString &fileName);

// The bytes of a '\n' text in the given format. A Windows-1252 text with a character that
// code page cannot hold is written as UTF-8 instead, and `format` says so afterwards.
QByteArray Encode(const QString &text, TextFileFormat &format);

// Empty when the name is an existing, readable regular file of acceptable size; otherwise
// a German message naming the file and the reason (missing, directory, device, no
// permission, too large).
QString CheckReadable(const QString &fileName);
// Reads and decodes a file. On failure `error` holds a German message and `result` is
// untouched.
bool Read(const QString &fileName, DecodedText &result, QString &error);

// Writes the bytes to a temporary file in the target's directory and renames it over the
// target; `beforeCommit` runs between the two (the place for a backup of the old file).
// On failure the target is left as it was and `error` holds a German message.
bool Write(const QString &fileName, const QByteArray &bytes, QString &error,
           const std::function<void()> &beforeCommit = {});

} // namespace TextFile
