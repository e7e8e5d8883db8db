#pragma once

#include <QString>
#include <QStringList>

// Splits configured parameters into words the way a POSIX shell splits a command line,
// without expanding anything: blanks separate words, single quotes keep everything
// literally, double quotes keep blanks (a backslash there escapes only " \ $ and `), and a
// backslash outside quotes keeps the next character (not on Windows, where it separates
// path parts). An unclosed quote runs to the end.
// "" and '' give an empty word.
QStringList SplitShellWords(const QString &text);
