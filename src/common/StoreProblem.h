#pragma once

#include <QString>

// Why the settings store or the INI file could not be written; empty when all went well.
// Storage code returns it, commands decide whether and how to tell the user.
struct StoreProblem {
    QString message; // the error as the helpers name it: "Fehler beim Setzen der Daten für 'X'"
    QString reason;  // why, in German: "/home/u/.config ist eine Datei, kein Ordner."

    bool isEmpty() const { return message.isEmpty(); }
    explicit operator bool() const { return !message.isEmpty(); }
};
