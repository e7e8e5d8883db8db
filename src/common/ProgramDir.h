#pragma once

#include <QString>

// The directory of the running program, always ending in a separator.
QString ProgramDir();
// Where the program writes its own files (the INI file, "Datei.alt"): the program directory
// when it is writable, else the per-user data directory. Ends in a separator.
QString WritableProgramDir();
// The per-user data directory, where the program's own files go when the program directory
// cannot take them. Ends in a separator.
QString UserDataDir();
// Tests point the program directory elsewhere; an empty text goes back to the real one.
void SetProgramDirForTesting(const QString &dir);
