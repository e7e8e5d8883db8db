#pragma once

#include <QString>

// The directory of the running program, always ending in a separator.
QString ProgramDir();
// Where the program writes its own files (the INI file, "Datei.alt"): the program directory
// when it is writable, else the per-user data directory. Ends in a separator.
QString WritableProgramDir();
// Tests point the program directory elsewhere; an empty text goes back to the real one.
void SetProgramDirForTesting(const QString &dir);

// The process-wide dialog-result text: empty means the last modal dialog was not confirmed.
QString &DialogResultText();
