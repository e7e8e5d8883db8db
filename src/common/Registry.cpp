#include "Helpers.h"

#include "QuillError.h"
#include "RegistryBatch.h"
#include "RegistryStore.h"

#include <memory>

namespace {

// The store of the current file; a new one when the file changes (tests move it).
RegistryStore &currentStore() {
    static std::unique_ptr<RegistryStore> store;
    const QString fileName = RegistryStore::defaultFileName();
    if (!store || store->fileName() != fileName)
        store = std::make_unique<RegistryStore>(fileName);
    return *store;
}

QString valueFailure(const QString &valueName) {
    return QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(valueName);
}

void check(RegistryStore::WriteStatus status, const QString &valueName) {
    // A key that cannot be created is skipped without a message, like the registry's.
    if (status == RegistryStore::WriteStatus::ValueFailed)
        throw QuillError(valueFailure(valueName));
}

} // namespace

QString ReadRegString(const QString &keyPath, const QString &valueName,
                      const QString &defaultValue) {
    const RegistryStore::ReadResult result = currentStore().read(keyPath, valueName);
    switch (result.status) {
    case RegistryStore::ReadStatus::String:
        return result.text;
    case RegistryStore::ReadStatus::ValueMissing:
        return QString(); // an existing key without the value: empty, not the default
    default:
        return defaultValue;
    }
}

int ReadRegInteger(const QString &keyPath, const QString &valueName, int defaultValue) {
    const RegistryStore::ReadResult result = currentStore().read(keyPath, valueName);
    if (result.status != RegistryStore::ReadStatus::Dword)
        return defaultValue;
    return int(result.dword);
}

bool ReadRegBool(const QString &keyPath, const QString &valueName, bool defaultValue) {
    const RegistryStore::ReadResult result = currentStore().read(keyPath, valueName);
    if (result.status != RegistryStore::ReadStatus::Dword)
        return defaultValue;
    return result.dword != 0;
}

void WriteRegInteger(const QString &keyPath, const QString &valueName, int value) {
    check(currentStore().writeDword(keyPath, valueName, quint32(value)), valueName);
}

void WriteRegBool(const QString &keyPath, const QString &valueName, bool value) {
    check(currentStore().writeDword(keyPath, valueName, value ? 1 : 0), valueName);
}

void WriteRegString(const QString &keyPath, const QString &valueName, const QString &value) {
    check(currentStore().writeString(keyPath, valueName, value), valueName);
}

StoreProblem WriteRegValues(const QList<RegistryStore::ValueWrite> &values) {
    const RegistryStore::BatchResult result = currentStore().writeBatch(values);
    if (result.status != RegistryStore::WriteStatus::ValueFailed)
        return {};
    return {valueFailure(result.failedValue), result.reason};
}

QString TakeRegNotice() {
    return currentStore().takeNotice();
}
