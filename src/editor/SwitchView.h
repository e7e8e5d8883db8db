#pragma once

#include <QString>

// The two views of a document: the colouring control and the plain monochrome one.
enum class EditorView { Color, Monochrome };

// What switching the view does to the control that becomes active.
struct ViewSwitch {
    bool Switch = false;   // false: the view asked for is already shown, nothing happens
    bool SetText = false;  // the control gets Text, and its caret goes to the start; false:
                           // it already holds that text and keeps its own caret
    QString Text;          // the document's text in the newly active control
    bool Modified = false; // the document's modified flag, carried over to that control;
                           // set as well when the switch changed the text
};

// Towards the colour view every tab becomes two spaces; towards the monochrome view the text
// goes unchanged. `activeText` is the text of the active control, `targetText` what the
// other control still holds from when it was last active.
ViewSwitch SwitchView(EditorView shown, EditorView wanted, const QString &activeText,
                      bool activeModified, const QString &targetText);
