#pragma once

#include "CMPersistent.h"
#include "ColorRule.h"

#include <memory>
#include <vector>

class IColorRuleOwner;

// The ordered collection of colour rules of a colouring control. It owns its rules.
class TDrawRules : public TCMPersistent {
public:
    // The owner is the control whose rules these are (none for a free-standing collection).
    // The prepare flag starts set.
    explicit TDrawRules(IColorRuleOwner *owner = nullptr);
    ~TDrawRules() override;
    TDrawRules(const TDrawRules &) = delete;
    TDrawRules &operator=(const TDrawRules &) = delete;

    QString ClassName() const override { return QStringLiteral("TDrawRules"); }
    // Replaces the rules with copies of the source's rules (each copied by TColorRule's
    // Assign). Throws QuillError and changes nothing when the source is not a TDrawRules.
    void Assign(const TCMPersistent &source) override;

    IColorRuleOwner *Owner() const { return m_owner; }

    int Count() const { return int(m_items.size()); }
    // The rule at a position (0 <= index < Count()).
    TColorRule *Items(int index) const { return m_items[size_t(index)].get(); }
    TColorRule *operator[](int index) const { return Items(index); }
    // Appends a new rule with the new-rule values and returns it.
    TColorRule *Add();
    // Removes and destroys the rule at a position; an invalid position does nothing.
    void Delete(int index);
    // Removes and destroys every rule.
    void Clear();
    // The position of a rule in this collection, or -1.
    int IndexOf(const TColorRule *rule) const;

    // Called at the start of every colouring pass. While the prepare flag is set, prepares
    // every rule in order (disabled ones too); the flag then becomes "no rule had entries".
    // So rules are prepared on every pass while none has entries, else on every second one.
    void PrepareRules();
    bool PrepareFlag() const { return m_prepareFlag; }

    // Attribute interface of a collection editor: 4 attributes "Name", "Type", "Enabled",
    // "Z-Order" and their texts for each rule.
    int GetAttrCount() const { return 4; }
    QString GetAttr(int index) const;
    QString GetItemAttr(int index, int itemIndex) const;

private:
    void Changed();

    IColorRuleOwner *m_owner = nullptr;
    std::vector<std::unique_ptr<TColorRule>> m_items;
    bool m_prepareFlag = true;
};
