#include "ShortcutText.h"

#include <array>

namespace {

struct KeyName {
    Qt::Key key;
    const char16_t *german;
};

// German names of keys whose Qt names differ; the others use Qt's portable names.
constexpr std::array<KeyName, 13> kGermanKeys = {{
    {Qt::Key_Delete, u"Entf"},
    {Qt::Key_Insert, u"Einfg"},
    {Qt::Key_Home, u"Pos1"},
    {Qt::Key_End, u"Ende"},
    {Qt::Key_PageUp, u"Bild auf"},
    {Qt::Key_PageDown, u"Bild ab"},
    {Qt::Key_Backspace, u"Rück"},
    {Qt::Key_Return, u"Eingabe"},
    {Qt::Key_Space, u"Leer"},
    {Qt::Key_Left, u"Links"},
    {Qt::Key_Right, u"Rechts"},
    {Qt::Key_Up, u"Oben"},
    {Qt::Key_Down, u"Unten"},
}};

int KeyFromName(const QString &name) {
    for (const KeyName &entry : kGermanKeys)
        if (name.compare(QString::fromUtf16(entry.german), Qt::CaseInsensitive) == 0)
            return entry.key;
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return 0;
    const QKeyCombination combination = sequence[0];
    // The name must be a key alone: "Ctrl" by itself or a modifier key is no key.
    if (combination.keyboardModifiers() != Qt::NoModifier || combination.key() == Qt::Key_unknown)
        return 0;
    return combination.key();
}

QString NameOfKey(Qt::Key key) {
    for (const KeyName &entry : kGermanKeys)
        if (entry.key == key)
            return QString::fromUtf16(entry.german);
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

} // namespace

QKeySequence TextToShortCut(const QString &text) {
    QString rest = text.trimmed();
    Qt::KeyboardModifiers modifiers;
    // Prefixes are taken while a '+' follows them; "Strg++" is Ctrl with the plus key.
    for (;;) {
        const qsizetype plus = rest.indexOf(u'+', 1);
        if (plus < 0)
            break;
        const QString prefix = rest.left(plus).trimmed();
        Qt::KeyboardModifier modifier;
        if (prefix.compare(u"Umsch", Qt::CaseInsensitive) == 0 ||
            prefix.compare(u"Shift", Qt::CaseInsensitive) == 0)
            modifier = Qt::ShiftModifier;
        else if (prefix.compare(u"Strg", Qt::CaseInsensitive) == 0 ||
                 prefix.compare(u"Ctrl", Qt::CaseInsensitive) == 0)
            modifier = Qt::ControlModifier;
        else if (prefix.compare(u"Alt", Qt::CaseInsensitive) == 0)
            modifier = Qt::AltModifier;
        else
            break;
        modifiers |= modifier;
        rest = rest.mid(plus + 1);
    }
    if (rest.isEmpty())
        return {};
    const int key = KeyFromName(rest);
    if (key == 0)
        return {};
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key)));
}

QString ShortCutToText(const QKeySequence &shortcut) {
    if (shortcut.isEmpty())
        return {};
    const QKeyCombination combination = shortcut[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (modifiers & Qt::ShiftModifier)
        text += QStringLiteral("Umsch+");
    if (modifiers & Qt::ControlModifier)
        text += QStringLiteral("Strg+");
    if (modifiers & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    return text + NameOfKey(combination.key());
}
