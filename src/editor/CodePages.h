#pragma once

#include <QByteArray>
#include <QString>

// The two 8-bit code pages the program knows: Windows-1252 (the "ANSI" text of files that
// are not UTF-8) and the DOS code page 850 (for the DOS/Windows conversion).
namespace CodePages {

// Decodes Windows-1252. The five bytes the code page leaves undefined become the C1 control
// characters of the same number, so every byte sequence survives a decode/encode round trip.
QString DecodeWindows1252(const QByteArray &bytes);
// Encodes Windows-1252; false (and an incomplete result) when a character has no byte.
bool EncodeWindows1252(const QString &text, QByteArray &bytes);

// Reads each character as the byte it has in Windows-1252 and gives that byte's character in
// code page 850 (text written on DOS but read as Windows text). Characters without a
// Windows-1252 byte and plain ASCII stay as they are; the length never changes.
QString DosToWindows(const QString &text);
// The reverse: each character's code page 850 byte read as Windows-1252.
QString WindowsToDos(const QString &text);

} // namespace CodePages
