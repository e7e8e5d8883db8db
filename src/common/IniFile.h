#pragma once

#include "StoreProblem.h"

#include <QString>

// Sets one key=value entry of an INI file, keeping every other byte of the file. When it
// cannot be written, returns the problem "In %s kann nicht geschrieben werden" with its
// reason and leaves the file as it was; so it does for an entry that would not read back
// (a line break, a key with "=" or one starting with ";" or "[", a section with "]").
StoreProblem WriteIniString(const QString &file, const QString &section, const QString &key,
                            const QString &value);
