#pragma once

#include <QIcon>
#include <QString>

// The pictures of the frame's tool buttons.
enum class ToolPicture {
    Open,
    New,
    Save,
    SaveAll,
    Print,
    Undo,
    Cut,
    Paste,
    Previous,
    Next,
    Compile,
    Run,
    JavaHelp,
    Debug, // the debugger: start, continue and the three steps
    Continue,
    StepOver,
    StepInto,
    StepOut,
    Application // the program's own window icon
};

// The desktop theme's icon for the picture when the theme has one, otherwise a small
// drawing of our own, so no tool button is ever blank.
QIcon ToolIcon(ToolPicture picture);
// The drawing of our own alone (what a desktop without an icon theme shows).
QIcon DrawnToolIcon(ToolPicture picture);
