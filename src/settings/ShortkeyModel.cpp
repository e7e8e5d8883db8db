#include "ShortkeyModel.h"

#include "common/DialogResult.h"
#include "common/UiProvider.h"

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

QString ShortkeyModel::plainCaption(const QString &caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'\t')
            break; // a key text written into the caption
        if (caption.at(i) == u'&') {
            if (i + 1 < caption.size() && caption.at(i + 1) == u'&') {
                plain += u'&';
                ++i;
            }
            continue;
        }
        plain += caption.at(i);
    }
    plain = plain.trimmed();
    if (plain.endsWith(QLatin1String("...")))
        plain.chop(3);
    return plain.trimmed();
}

QString ShortkeyModel::takeQuestion(const QString &key, const QString &command) {
    return QStringLiteral("%1 gehört schon zum Befehl \"%2\".\r\n"
                          "Soll die Taste trotzdem übernommen werden? \"%2\" ist dann nur noch "
                          "über das Menü zu erreichen.")
        .arg(key, command);
}

QString ShortkeyModel::usedBy(const QString &key) const {
    if (key.isEmpty())
        return {};
    for (const KeyInUse &use : m_keysInUse)
        if (use.key.compare(key, Qt::CaseInsensitive) == 0)
            return plainCaption(use.caption);
    return {};
}

QStringList ShortkeyModel::shownEntries() const {
    QStringList shown;
    shown.reserve(m_entries.size());
    for (const QString &entry : m_entries) {
        const QString command = usedBy(entry);
        shown << (command.isEmpty() ? entry : QStringLiteral("%1 (%2)").arg(entry, command));
    }
    return shown;
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

bool ShortkeyModel::BnOkayClick() {
    if (m_grundtyp == Grundtyp::Leer || m_selected < 0) {
        DialogResultText().clear();
        return true;
    }
    const QString key = m_entries.at(m_selected);
    const QString command = usedBy(key);
    if (!command.isEmpty() &&
        ui().messageBox(MsgIcon::Question, QStringLiteral("Eingabe eines Shotkeys"),
                        takeQuestion(key, command),
                        {MsgButton::Yes, MsgButton::No}) != MsgButton::Yes) {
        DialogResultText().clear();
        return false;
    }
    DialogResultText() = key;
    return true;
}
