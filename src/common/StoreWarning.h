#pragma once

#include "StoreProblem.h"

// The text of the warning for a store problem:
// "Die Einstellungen können nicht gespeichert werden: <reason>" and the error on a new line.
QString storeWarningText(const StoreProblem &problem);

// Tells the user that the settings cannot be saved, once per program run: the learner's
// work goes on without the store, and one warning is enough. Later problems and an empty
// problem show nothing. True when this call showed the warning.
bool warnStoreProblemOnce(const StoreProblem &problem);

// Shows a notice of the store (a damaged file was moved aside) in a warning box; an empty
// notice shows nothing.
void showStoreNotice(const QString &notice);

// Tests start each case as a fresh program run.
void resetStoreWarningForTesting();
