#include "DebugAgent.h"

QString DebugAgentOption(int port) {
    return QStringLiteral(
               "-agentlib:jdwp=transport=dt_socket,server=n,address=127.0.0.1:%1,suspend=y")
        .arg(port);
}
