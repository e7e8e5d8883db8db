#pragma once

#include "common/CommandTable.h"

#include <span>

class TFMain;

// The command table of the frame: its menus "&Datei", "&Optionen", "&Fenster" and "&Hilfe"
// and its tool buttons, each command with caption, key, hint and what it runs.
std::span<const CommandRow<TFMain>> FrameCommandRows();
