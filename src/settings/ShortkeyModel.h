#pragma once

#include <QStringList>

// The logic of the shortcut dialog TFShortkey ("Eingabe eines Shotkeys") without its widgets:
// the offered shortcut texts of the chosen basic type and the result in the shared
// dialog-result text.
class ShortkeyModel {
public:
    // The three buttons of "Grundtyp".
    enum class Grundtyp { Leer, AZ, F1F12 };

    // FormCreate: the list as for "A-Z", that button selected, the dialog-result text emptied.
    ShortkeyModel();

    void RazClick();    // "Strg+A" to "Strg+Z", the first selected
    void RF1F12Click(); // "F1".."F12", "Strg+F1".., "Umsch+F1".., "Umsch+Strg+F1"..; first selected
    void RLeerClick();  // empty, disabled list
    // Selects entry `index` of the list (the user's choice in CListe).
    void select(int index);
    // "&Ok": the selected entry becomes the dialog-result text; "Leerer Eintrag" empties it.
    void BnOkayClick();
    // "Abbruch" and Esc: the dialog-result text stays empty.
    void BnAbbruchClick() {}

    Grundtyp grundtyp() const { return m_grundtyp; }
    const QStringList &entries() const { return m_entries; }
    int selected() const { return m_selected; }
    bool listEnabled() const { return m_grundtyp != Grundtyp::Leer; }

    static QStringList letterEntries();
    static QStringList functionKeyEntries();

private:
    void fill(Grundtyp grundtyp, const QStringList &entries);

    Grundtyp m_grundtyp = Grundtyp::AZ;
    QStringList m_entries;
    int m_selected = -1;
};
