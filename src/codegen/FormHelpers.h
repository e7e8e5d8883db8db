#pragma once

#include <QString>

// Small helpers of the code generation's dialogs, which build their forms in code.

// Gives a control the name of its form component and returns it.
template <typename W> W *Named(W *widget, const char *name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A caption written in the source as UTF-8.
inline QString T(const char *text) {
    return QString::fromUtf8(text);
}
