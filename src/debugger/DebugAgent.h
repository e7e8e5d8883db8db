#pragma once

#include <QString>

// The JVM option that has a program connect to the debug helper listening on the loopback
// address at port, and wait for it before its first line.
QString DebugAgentOption(int port);
