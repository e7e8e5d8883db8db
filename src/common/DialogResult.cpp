#include "DialogResult.h"

QString &DialogResultText() {
    static QString text;
    return text;
}
