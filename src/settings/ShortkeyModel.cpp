#include "ShortkeyModel.h"

#include "common/DialogResult.h"

ShortkeyModel::ShortkeyModel() {
    RazClick();
    DialogResultText().clear();
}

QStringList ShortkeyModel::letterEntries() {
    QStringList entries;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        entries << QStringLiteral("Strg+") + QLatin1Char(letter);
    return entries;
}

QStringList ShortkeyModel::functionKeyEntries() {
    QStringList entries;
    for (const QString &prefix : {QString(), QStringLiteral("Strg+"), QStringLiteral("Umsch+"),
                                  QStringLiteral("Umsch+Strg+")}) {
        for (int key = 1; key <= 12; ++key)
            entries << prefix + QStringLiteral("F%1").arg(key);
    }
    return entries;
}

void ShortkeyModel::fill(Grundtyp grundtyp, const QStringList &entries) {
    m_grundtyp = grundtyp;
    m_entries = entries;
    m_selected = entries.isEmpty() ? -1 : 0;
}

void ShortkeyModel::RazClick() {
    fill(Grundtyp::AZ, letterEntries());
}

void ShortkeyModel::RF1F12Click() {
    fill(Grundtyp::F1F12, functionKeyEntries());
}

void ShortkeyModel::RLeerClick() {
    fill(Grundtyp::Leer, {});
}

void ShortkeyModel::select(int index) {
    if (index >= 0 && index < m_entries.size())
        m_selected = index;
}

void ShortkeyModel::BnOkayClick() {
    if (m_grundtyp == Grundtyp::Leer || m_selected < 0)
        DialogResultText().clear();
    else
        DialogResultText() = m_entries.at(m_selected);
}
