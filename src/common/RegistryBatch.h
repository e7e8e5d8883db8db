#pragma once

#include "RegistryStore.h"
#include "StoreProblem.h"

#include <QList>

// Writes the values to the user's store with one lock and one file write, in order; the
// first value that cannot be written stops it (see RegistryStore::writeBatch). The problem
// names that value ("Fehler beim Setzen der Daten für '%s'"); empty when all were written.
StoreProblem WriteRegValues(const QList<RegistryStore::ValueWrite> &values);

// What the store has to tell the user after reading (a damaged file was moved aside),
// handed out once; empty when there is nothing.
QString TakeRegNotice();
