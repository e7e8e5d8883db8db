#pragma once

#include <QString>

// Opens a file through the platform: programs (executable files, or names found on PATH)
// are started with the arguments split as a shell would, without a shell; other files and
// folders are handed to the desktop. Returns a result code (> 32 success: 2 missing file,
// 3 missing folder, 5 access denied, 11 not startable, 31 no association) and shows the
// German error box for a failure that has one. showState is accepted for the callers' sake;
// window show states do not exist here.
int ExecuteFile(const QString &file, const QString &arguments, const QString &workingDir,
                int showState = 1);
// The text of ExecuteFile's error box for a result code, or the empty text when that code
// shows no box (success, or a missing file that is not named .exe/.com).
QString ExecuteFileErrorText(int code, const QString &file);
