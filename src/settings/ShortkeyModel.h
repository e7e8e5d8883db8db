#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A key that a command of the program already has: its shortcut text ("Strg+S") and the
// command's caption as the menu shows it ("&Speichern...").
struct KeyInUse {
    QString key;
    QString caption;
    bool operator==(const KeyInUse &) const = default;
};

// The logic of the shortcut dialog TFShortkey ("Eingabe eines Shotkeys") without its widgets:
// the offered shortcut texts of the chosen basic type and the result in the shared
// dialog-result text. Offered keys that a command already has are marked with the command,
// and taking one needs the user's consent.
class ShortkeyModel {
public:
    // The three buttons of "Grundtyp".
    enum class Grundtyp { Leer, AZ, F1F12 };

    // FormCreate: the list as for "A-Z", that button selected, the dialog-result text emptied.
    ShortkeyModel();

    // The keys other commands have; the first entry of a key names its command.
    void setKeysInUse(const QList<KeyInUse> &keys) { m_keysInUse = keys; }

    void RazClick();    // "Strg+A" to "Strg+Z", the first selected
    void RF1F12Click(); // "F1".."F12", "Strg+F1".., "Umsch+F1".., "Umsch+Strg+F1"..; first selected
    void RLeerClick();  // empty, disabled list
    // Selects entry `index` of the list (the user's choice in CListe).
    void select(int index);
    // "&Ok": the selected entry becomes the dialog-result text; "Leerer Eintrag" empties it.
    // A key that a command already has is taken only when the user says yes to the question;
    // on no the result stays empty and false tells the dialog to stay open for another choice.
    bool BnOkayClick();
    // "Abbruch" and Esc: the dialog-result text stays empty.
    void BnAbbruchClick() {}

    Grundtyp grundtyp() const { return m_grundtyp; }
    // The offered shortcut texts, as they go into the result.
    const QStringList &entries() const { return m_entries; }
    // The list as the user sees it: a key in use is followed by its command in brackets,
    // "Strg+S (Speichern)".
    QStringList shownEntries() const;
    int selected() const { return m_selected; }
    bool listEnabled() const { return m_grundtyp != Grundtyp::Leer; }
    // The plain caption of the command that has the key ("Speichern"); empty when none has it.
    QString usedBy(const QString &key) const;

    static QStringList letterEntries();
    static QStringList functionKeyEntries();
    // A menu caption as a name in running text: without its accelerator marks and a trailing
    // "...", a doubled "&&" as one "&" ("Suchen && &Ersetzen" -> "Suchen & Ersetzen").
    static QString plainCaption(const QString &caption);
    // The question before a key in use is taken.
    static QString takeQuestion(const QString &key, const QString &command);

private:
    void fill(Grundtyp grundtyp, const QStringList &entries);

    Grundtyp m_grundtyp = Grundtyp::AZ;
    QStringList m_entries;
    int m_selected = -1;
    QList<KeyInUse> m_keysInUse;
};
