#pragma once

#include <QtGlobal>

#include <vector>

class TextSource;

// The two views of a document: the colouring control and the plain monochrome one. Both
// show the one text of the document; they differ only in how they paint it.
enum class EditorView { Color, Monochrome };

// What switching the view does.
struct ViewSwitch {
    bool Switch = false;       // false: the view asked for is already shown, nothing happens
    bool ReplaceTabs = false;  // every tab of the text becomes two spaces, as one edit that
                               // sets the modified flag
    bool CaretToStart = false; // the newly shown view's caret goes to the start; false: it
                               // keeps the caret it had when it was last shown
};

// Towards the colour view every tab becomes two spaces; towards the monochrome view the text
// stays as it is. `hasTabs`: whether the text holds a tab; `changedSinceShown`: whether the
// text changed since the wanted view was last shown (true when it never was), so that it no
// longer shows the text it had.
ViewSwitch SwitchView(EditorView shown, EditorView wanted, bool hasTabs, bool changedSinceShown);

// Positions of the tab characters of a text, ascending.
std::vector<qsizetype> TabPositions(const TextSource &text);
