#pragma once

#include <memory>

class TCMParamList;
class TDrawRules;

// The editor window's rule set as rule parameters: one list per rule, in order ("Operatoren",
// "klassen", "java", "Kommentar"), holding what differs from a new rule, as a rule's
// SaveToParams writes it.
std::unique_ptr<TCMParamList> EditorRuleParams();

// Replaces the rules of the collection with the editor window's rule set, loaded from
// EditorRuleParams. The entries are filled in place (the derived tables follow at the first
// preparation).
void SetEditorColorRules(TDrawRules &rules);
