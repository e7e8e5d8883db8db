#pragma once

#include "DebugEngine.h"

#include <QHash>
#include <QList>
#include <QString>

// A value as the variables view shows it: bold when it changed since an earlier stop.
struct DebugValue {
    DebugVariable variable;
    bool changed = false;
    bool operator==(const DebugValue &) const = default;
};

// Which values changed since the previous stop. A value is known by the method of its frame
// and its name path ("Bank.main", "konto", "saldo"); it changed when an earlier stop showed
// another value under the same key. Values never shown before (a new variable, an object
// not expanded before) are not marked.
class ValueChanges {
public:
    // A new stop: what was seen so far becomes the earlier values.
    void NextStop();
    // The debugging ended: nothing is remembered.
    void Clear();

    // The variables of a frame whose method is frameMethod ("Bank.main"), marked.
    QList<DebugValue> Variables(const QString &frameMethod, const QList<DebugVariable> &variables);
    // The fields or elements of an object shown at this stop, marked.
    QList<DebugValue> Children(qint64 objectId, const QList<DebugVariable> &children);

private:
    DebugValue Mark(const QString &key, const DebugVariable &variable);

    QHash<QString, QString> m_earlier; // by key: the value last seen before this stop
    QHash<QString, QString> m_now;     // by key: the value seen at this stop
    QHash<qint64, QString> m_keyOf;    // the key of each object shown at this stop
};
