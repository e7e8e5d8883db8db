// The text file decoder: any bytes decode; the text written back in the format it was read
// with decodes to the same text, and bytes with one kind of line break come back byte for
// byte. The code page conversions keep lengths and undo each other.

#include "FuzzCheck.h"

#include "editor/CodePages.h"
#include "editor/TextFile.h"

namespace {

// Whether every line break of the bytes has the given style.
bool OneBreakStyle(const QByteArray &bytes, LineBreakStyle style) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool cr = bytes[i] == '\r';
        const bool lf = bytes[i] == '\n';
        const bool crlf = cr && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        const bool afterCr = lf && i > 0 && bytes[i - 1] == '\r';
        switch (style) {
        case LineBreakStyle::Lf:
            if (cr)
                return false;
            break;
        case LineBreakStyle::Cr:
            if (lf)
                return false;
            break;
        case LineBreakStyle::CrLf:
            if ((cr && !crlf) || (lf && !afterCr))
                return false;
            break;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedText decoded = TextFile::Decode(bytes);
    FUZZ_CHECK(decoded.original == bytes);
    FUZZ_CHECK(!decoded.text.contains(u'\r'));

    TextFileFormat format = decoded.format;
    const QByteArray encoded = TextFile::Encode(decoded.text, format);
    // A decoded text always fits the format it came in.
    FUZZ_CHECK(format == decoded.format);
    const DecodedText again = TextFile::Decode(encoded);
    FUZZ_CHECK(again.text == decoded.text);
    FUZZ_CHECK(again.format.encoding == format.encoding);
    if (decoded.text.contains(u'\n'))
        FUZZ_CHECK(again.format.lineBreak == format.lineBreak);
    if (OneBreakStyle(bytes, format.lineBreak))
        FUZZ_CHECK(encoded == bytes);

    // Every byte has a Windows-1252 character and back.
    const QString windows = CodePages::DecodeWindows1252(bytes);
    FUZZ_CHECK(windows.size() == bytes.size());
    QByteArray back;
    FUZZ_CHECK(CodePages::EncodeWindows1252(windows, back) && back == bytes);

    // The DOS conversion keeps lengths; on texts of Windows-1252 characters the two
    // directions undo each other.
    const QString dos = CodePages::WindowsToDos(windows);
    FUZZ_CHECK(dos.size() == windows.size());
    FUZZ_CHECK(CodePages::WindowsToDos(CodePages::DosToWindows(windows)) == windows);
    const QString converted = CodePages::DosToWindows(decoded.text);
    FUZZ_CHECK(converted.size() == decoded.text.size());
    return 0;
}
