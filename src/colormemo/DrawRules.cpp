#include "DrawRules.h"

#include "ColorRuleOwner.h"

TDrawRules::TDrawRules(IColorRuleOwner *owner) : m_owner(owner) {}

TDrawRules::~TDrawRules() = default;

void TDrawRules::Assign(const TCMPersistent &source) {
    const auto *rules = dynamic_cast<const TDrawRules *>(&source);
    if (!rules)
        AssignError(source);
    if (rules == this)
        return;
    // Build the copies first, so nothing changes unless every rule could be copied.
    std::vector<std::unique_ptr<TColorRule>> copies;
    copies.reserve(rules->m_items.size());
    for (const auto &rule : rules->m_items) {
        copies.push_back(std::unique_ptr<TColorRule>(new TColorRule(this)));
        copies.back()->Assign(*rule);
    }
    m_items = std::move(copies);
    Changed();
}

TColorRule *TDrawRules::Add() {
    m_items.push_back(std::unique_ptr<TColorRule>(new TColorRule(this)));
    TColorRule *rule = m_items.back().get();
    Changed();
    return rule;
}

void TDrawRules::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TDrawRules::Clear() {
    if (m_items.empty())
        return;
    m_items.clear();
    Changed();
}

int TDrawRules::IndexOf(const TColorRule *rule) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_items[size_t(i)].get() == rule)
            return i;
    }
    return -1;
}

void TDrawRules::PrepareRules() {
    bool anyEntries = false;
    if (m_prepareFlag) {
        for (const auto &rule : m_items)
            anyEntries = rule->Prepare() || anyEntries;
    }
    m_prepareFlag = !anyEntries;
}

QString TDrawRules::GetAttr(int index) const {
    switch (index) {
    case 0:
        return QStringLiteral("Name");
    case 1:
        return QStringLiteral("Type");
    case 2:
        return QStringLiteral("Enabled");
    case 3:
        return QStringLiteral("Z-Order");
    default:
        return QString();
    }
}

QString TDrawRules::GetItemAttr(int index, int itemIndex) const {
    if (itemIndex < 0 || itemIndex >= Count())
        return QString();
    const TColorRule *rule = Items(itemIndex);
    switch (index) {
    case 0:
        return rule->Name().isEmpty() ? QStringLiteral("Unnamed") : rule->Name();
    case 1: {
        const QString ident = KeyDrawingTypeIdent(rule->KeyDrawingType());
        return ident.isEmpty() ? KeyDrawingTypeDisplayName(rule->KeyDrawingType()) : ident;
    }
    case 2:
        return rule->Enabled() ? QStringLiteral("True") : QStringLiteral("False");
    case 3:
        return QString::number(rule->ZOrder());
    default:
        return QString();
    }
}

void TDrawRules::Changed() {
    if (m_owner)
        m_owner->ColorRulesChanged();
}
