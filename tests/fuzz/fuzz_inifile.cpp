// The INI writer's reading of the file it changes: any file, any section, key and value.
// Afterwards the file gives the value for the key to a plain reader, every other line is as
// it was, and writing the same entry again changes nothing. A refused entry leaves the file
// alone.

#include "FuzzCheck.h"
#include "FuzzFiles.h"

#include "common/IniFile.h"

#include <QFileInfo>

#include <optional>

namespace {

// The value of the key as a reader of INI files sees it: in the first section of that name
// (any case), the first line that is not a comment whose text before "=" is the key.
std::optional<QByteArray> ReadEntry(const QByteArray &bytes, const QString &section,
                                    const QString &key) {
    bool inSection = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArray raw = bytes.mid(pos, end - pos);
        pos =
            end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
        const QString text = QString::fromUtf8(raw).trimmed();
        if (text.startsWith(u'[') && text.contains(u']')) {
            if (inSection)
                return std::nullopt;
            inSection = text.mid(1, text.indexOf(u']') - 1)
                            .trimmed()
                            .compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || text.startsWith(u';'))
            continue;
        const qsizetype equals = raw.indexOf('=');
        if (equals >= 0 &&
            QString::fromUtf8(raw.left(equals)).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return raw.mid(equals + 1);
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool exists = input.ConsumeBool();
    const QString section = ConsumeText(input, 16);
    const QString key = ConsumeText(input, 16);
    const QString value = ConsumeText(input, 16);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray before(rest.data(), qsizetype(rest.size()));

    const QString file = FreshFolder().filePath(QStringLiteral("Tintra.INI"));
    if (exists)
        WriteBytes(file, before);
    const StoreProblem problem = WriteIniString(file, section, key, value);
    if (problem) {
        FUZZ_CHECK(exists ? ReadBytes(file) == before : !QFileInfo::exists(file));
        return 0;
    }
    const QByteArray after = ReadBytes(file);
    const std::optional<QByteArray> read = ReadEntry(after, section.trimmed(), key.trimmed());
    FUZZ_CHECK(read && *read == value.toUtf8());

    // One place changed, and no line went: what was removed is at most a value.
    const QByteArray old = exists ? before : QByteArray();
    qsizetype prefix = 0;
    while (prefix < old.size() && prefix < after.size() && old[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < old.size() - prefix && suffix < after.size() - prefix &&
           old[old.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = old.mid(prefix, old.size() - prefix - suffix);
    FUZZ_CHECK(!removed.contains('\n') && !removed.contains('\r'));

    FUZZ_CHECK(!WriteIniString(file, section, key, value));
    FUZZ_CHECK(ReadBytes(file) == after);
    return 0;
}
