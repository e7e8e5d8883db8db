#pragma once

#include <QString>
#include <QStringList>

// The folder a file dialog opens in: the first of the candidates (most wanted first) that
// is an existing folder, otherwise the home folder. Never empty, so a dialog never starts
// at the list of drives.
QString DialogStartFolder(const QStringList &candidates);
