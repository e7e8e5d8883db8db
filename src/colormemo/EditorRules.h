#pragma once

class TDrawRules;

// Replaces the rules of the collection with the editor window's rule set: "Operatoren",
// "klassen", "java" and "Kommentar", with their entries filled in place (the derived tables
// follow at the first preparation).
void SetEditorColorRules(TDrawRules &rules);
