#pragma once

#include <QString>

// Base of the colouring control's value objects that can copy themselves from another object
// of a compatible class. Assigning from an unrelated class raises a QuillError and leaves the
// target as it was.
class TCMPersistent {
public:
    virtual ~TCMPersistent() = default;

    // The class name used in error texts, e.g. "TColorRule".
    virtual QString ClassName() const = 0;

    // Copies the source's values into this object; the default accepts nothing.
    virtual void Assign(const TCMPersistent &source);

protected:
    // Throws the error for an assignment between unrelated classes.
    [[noreturn]] void AssignError(const TCMPersistent &source) const;
};
