#include "CMPersistent.h"

#include "common/QuillError.h"

void TCMPersistent::Assign(const TCMPersistent &source) {
    AssignError(source);
}

void TCMPersistent::AssignError(const TCMPersistent &source) const {
    throw QuillError(QStringLiteral("%1 kann nicht an %2 zugewiesen werden.")
                         .arg(source.ClassName(), ClassName()));
}
