#pragma once

#include "common/UiProvider.h"

#include <QList>
#include <QString>

// What stopped a build step or went wrong on the way, as the box the command shows for it.
// The steps return problems; only the commands show them.
struct BuildProblem {
    MsgIcon icon = MsgIcon::Warning;
    QString caption;
    QString text;
    bool operator==(const BuildProblem &) const = default;
};
using BuildProblems = QList<BuildProblem>;
