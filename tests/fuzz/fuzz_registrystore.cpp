// The settings store reader: any file in place of the store. A file that is not a store is
// moved aside with one notice; reads never fail; a value written is read back, by this
// store and by a new one, and no other value changes.

#include "FuzzCheck.h"
#include "FuzzFiles.h"

#include "common/RegistryStore.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace {

// Equal values; a missing key and a missing value count as the same (writing a value
// creates the keys on its path).
bool SameResult(const RegistryStore::ReadResult &a, const RegistryStore::ReadResult &b) {
    using Status = RegistryStore::ReadStatus;
    const auto missing = [](Status s) {
        return s == Status::KeyMissing || s == Status::ValueMissing;
    };
    if (missing(a.status) || missing(b.status))
        return missing(a.status) && missing(b.status);
    return a.status == b.status && a.dword == b.dword && a.text == b.text;
}

// Whether two key paths name the same key, as far as names without regard to case go.
bool SameKey(const QString &a, const QString &b) {
    const QStringList x = a.split(u'\\', Qt::SkipEmptyParts);
    const QStringList y = b.split(u'\\', Qt::SkipEmptyParts);
    if (x.size() != y.size())
        return false;
    for (qsizetype i = 0; i < x.size(); ++i) {
        if (x[i].compare(y[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool asString = input.ConsumeBool();
    const QString key = ConsumeText(input, 40);
    const QString name = ConsumeText(input, 16);
    const QString text = ConsumeText(input, 16);
    const quint32 number = input.ConsumeIntegral<quint32>();
    const QString otherKey = ConsumeText(input, 40);
    const QString otherName = ConsumeText(input, 16);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const QDir folder = FreshFolder();
    const QString file = folder.filePath(QStringLiteral("quill.json"));
    WriteBytes(file, bytes);
    RegistryStore store(file);
    const RegistryStore::ReadResult other = store.read(otherKey, otherName);
    store.read(key, name);
    store.keyExists(key);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const bool broken = !bytes.trimmed().isEmpty() &&
                        (error.error != QJsonParseError::NoError || !document.isObject());
    FUZZ_CHECK(store.takeNotice().isEmpty() == !broken);
    FUZZ_CHECK(store.takeNotice().isEmpty());
    FUZZ_CHECK(QFileInfo::exists(file) == !broken);
    if (broken)
        FUZZ_CHECK(ReadBytes(file + QStringLiteral(".defekt")) == bytes);

    const RegistryStore::WriteStatus status =
        asString ? store.writeString(key, name, text) : store.writeDword(key, name, number);
    FUZZ_CHECK(status == RegistryStore::WriteStatus::Written);
    RegistryStore fresh(file);
    for (RegistryStore *reader : {&store, &fresh}) {
        const RegistryStore::ReadResult read = reader->read(key, name);
        FUZZ_CHECK(reader->keyExists(key));
        if (asString)
            FUZZ_CHECK(read.status == RegistryStore::ReadStatus::String && read.text == text);
        else
            FUZZ_CHECK(read.status == RegistryStore::ReadStatus::Dword && read.dword == number);
        if (!SameKey(key, otherKey) || name.compare(otherName, Qt::CaseInsensitive) != 0)
            FUZZ_CHECK(SameResult(reader->read(otherKey, otherName), other));
    }
    FUZZ_CHECK(fresh.takeNotice().isEmpty());
    return 0;
}
