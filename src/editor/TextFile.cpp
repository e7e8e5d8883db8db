#include "TextFile.h"

#include "CodePages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QString NativeName(const QString &fileName) {
    return QFileInfo(fileName).absoluteFilePath();
}

QString ReadError(const QString &fileName, const QString &reason) {
    return QStringLiteral("Die Datei kann nicht gelesen werden:\r\n%1\r\n%2")
        .arg(NativeName(fileName), reason);
}

// Decodes strictly: only a text that encodes back to exactly the same bytes counts as UTF-8.
bool DecodeUtf8(const QByteArray &bytes, QString &text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError() && text.toUtf8() == bytes;
}

// A control byte that is no text in UTF-8, Windows-1252 or the DOS code page alike: NUL
// and the other C0 controls, apart from the blanks and breaks (tab to carriage return), the
// DOS end-of-file mark and the escape of terminal colours. Every byte from 0x80 up is a
// letter or sign in one of the code pages (0x81 is the DOS "ü"), so none of those counts.
bool IsNonTextByte(char byte) {
    const uchar value = uchar(byte);
    if (value >= 0x20)
        return false;
    return !(value >= 0x09 && value <= 0x0D) && value != 0x1A && value != 0x1B;
}

LineBreakStyle DetectLineBreak(const QString &text, LineBreakStyle fallback) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n')
            return LineBreakStyle::Lf;
        if (text[i] == u'\r')
            return i + 1 < text.size() && text[i + 1] == u'\n' ? LineBreakStyle::CrLf
                                                               : LineBreakStyle::Cr;
    }
    return fallback;
}

} // namespace

namespace TextFile {

TextFileFormat DefaultFormat() {
    TextFileFormat format;
    format.encoding = TextEncoding::Utf8;
#ifdef Q_OS_WIN
    format.lineBreak = LineBreakStyle::CrLf;
#else
    format.lineBreak = LineBreakStyle::Lf;
#endif
    return format;
}

bool IsNotText(const QByteArray &bytes) {
    return std::any_of(bytes.begin(), bytes.end(), IsNonTextByte);
}

QString NotTextNotice(const QString &fileName) {
    return QStringLiteral("Die Datei\r\n%1\r\nenthält Zeichen, die keine Textzeichen sind. "
                          "Sie wird als Text angezeigt; Speichern kann sie verändern.")
        .arg(NativeName(fileName));
}

DecodedText Decode(const QByteArray &bytes) {
    DecodedText result;
    result.original = bytes;
    const bool bom = bytes.startsWith(kUtf8Bom);
    if (DecodeUtf8(bom ? bytes.mid(kUtf8Bom.size()) : bytes, result.text)) {
        result.format.encoding = bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
    } else {
        result.text = CodePages::DecodeWindows1252(bytes);
        result.format.encoding = TextEncoding::Windows1252;
    }
    result.notText = IsNotText(bytes);
    result.format.lineBreak = DetectLineBreak(result.text, DefaultFormat().lineBreak);
    if (result.text.contains(u'\r')) {
        result.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        result.text.replace(u'\r', u'\n');
    }
    return result;
}

QByteArray Encode(const QString &text, TextFileFormat &format) {
    QString withBreaks = text;
    if (format.lineBreak == LineBreakStyle::CrLf)
        withBreaks.replace(u'\n', QStringLiteral("\r\n"));
    else if (format.lineBreak == LineBreakStyle::Cr)
        withBreaks.replace(u'\n', u'\r');

    if (format.encoding == TextEncoding::Windows1252) {
        QByteArray bytes;
        if (CodePages::EncodeWindows1252(withBreaks, bytes))
            return bytes;
        // Never drop characters: a text that outgrew the code page is kept as UTF-8.
        format.encoding = TextEncoding::Utf8;
    }
    if (format.encoding == TextEncoding::Utf8WithBom)
        return kUtf8Bom + withBreaks.toUtf8();
    return withBreaks.toUtf8();
}

QString CheckReadable(const QString &fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        return ReadError(fileName, QStringLiteral("Die Datei existiert nicht."));
    if (info.isDir())
        return ReadError(fileName, QStringLiteral("Der Name bezeichnet ein Verzeichnis."));
    if (!info.isFile())
        return ReadError(
            fileName, QStringLiteral("Der Name bezeichnet keine normale Datei (z. B. ein Gerät)."));
    if (!info.isReadable())
        return ReadError(fileName, QStringLiteral("Keine Berechtigung zum Lesen."));
    if (info.size() > MaxFileSize)
        return QStringLiteral("Text überschreitet Memo-Kapazität");
    return {};
}

bool Read(const QString &fileName, DecodedText &result, QString &error) {
    error = CheckReadable(fileName);
    if (!error.isEmpty())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = ReadError(fileName, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        error = ReadError(fileName, file.errorString());
        return false;
    }
    if (bytes.size() > MaxFileSize) {
        error = QStringLiteral("Text überschreitet Memo-Kapazität");
        return false;
    }
    result = Decode(bytes);
    return true;
}

bool Write(const QString &fileName, const QByteArray &bytes, QString &error,
           const std::function<void()> &beforeCommit) {
    const auto fail = [&](const QString &reason) {
        error = QStringLiteral("Die Datei kann nicht gespeichert werden:\r\n%1\r\n%2\r\n"
                               "Die bisherige Datei bleibt unverändert.")
                    .arg(NativeName(fileName), reason);
        return false;
    };
    if (QFileInfo(fileName).isDir())
        return fail(QStringLiteral("Der Name bezeichnet ein Verzeichnis."));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // Everything reaches the disk before the backup moves the old file away.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (beforeCommit)
        beforeCommit();
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace TextFile
