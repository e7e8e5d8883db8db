#pragma once

#include <QString>

// The new-file wizard's result and the template generator's input.
// Kind 0 means no template: nothing is generated.
struct TNewFile {
    QString ClassName;
    qint32 Kind = 0;
    bool UseBorderLayout = false;
    bool UseGridBagLayout = false;
    qint32 Element = 0;
    QString ElementType;
    QString ElementVar;
    bool Split = false;
    qint32 SdiElement1 = 0;
    qint32 SdiElement2 = 0;
    QString SdiType1;
    QString SdiType2;
    QString SdiVar1;
    QString SdiVar2;
    bool ProgInfo = false;
    QString InternalFrameName;
    qint32 ButtonCount = 0;
};
