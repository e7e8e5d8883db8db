#include "ValueChanges.h"

void ValueChanges::NextStop() {
    for (auto it = m_now.cbegin(); it != m_now.cend(); ++it)
        m_earlier.insert(it.key(), it.value());
    m_now.clear();
    m_keyOf.clear();
}

void ValueChanges::Clear() {
    m_earlier.clear();
    m_now.clear();
    m_keyOf.clear();
}

DebugValue ValueChanges::Mark(const QString &key, const DebugVariable &variable) {
    const auto earlier = m_earlier.constFind(key);
    DebugValue value{variable, earlier != m_earlier.cend() && *earlier != variable.value};
    m_now.insert(key, variable.value);
    if (variable.objectId != 0)
        m_keyOf.insert(variable.objectId, key);
    return value;
}

QList<DebugValue> ValueChanges::Variables(const QString &frameMethod,
                                          const QList<DebugVariable> &variables) {
    QList<DebugValue> marked;
    for (const DebugVariable &variable : variables)
        marked << Mark(frameMethod + u'\n' + variable.name, variable);
    return marked;
}

QList<DebugValue> ValueChanges::Children(qint64 objectId, const QList<DebugVariable> &children) {
    // An object no variable of this stop led to has no key: nothing to compare with.
    const bool known = m_keyOf.contains(objectId);
    const QString parent = m_keyOf.value(objectId);
    QList<DebugValue> marked;
    for (const DebugVariable &child : children)
        marked << (known ? Mark(parent + u'\n' + child.name, child) : DebugValue{child, false});
    return marked;
}
