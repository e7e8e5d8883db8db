#pragma once

// What a rule collection knows of the control that owns it. The colouring control implements
// it; the rule model never needs more, so it builds without any widget.
class IColorRuleOwner {
public:
    virtual ~IColorRuleOwner() = default;

    // The collection changed (rules added, removed or copied in): the owner repaints.
    virtual void ColorRulesChanged() {}

protected:
    IColorRuleOwner() = default;
    IColorRuleOwner(const IColorRuleOwner &) = default;
    IColorRuleOwner &operator=(const IColorRuleOwner &) = default;
};
