#pragma once

// What gutter options tell the control that owns them. The colouring control implements it;
// the options never need more, so they build without any widget.
class IGutterOwner {
public:
    virtual ~IGutterOwner() = default;

    // The gutter's width changed: the owner lays its text out anew.
    virtual void GutterSizeChanged() {}
    // Another value changed, or all of them were copied in: the owner repaints.
    virtual void GutterChanged() {}

protected:
    IGutterOwner() = default;
    IGutterOwner(const IGutterOwner &) = default;
    IGutterOwner &operator=(const IGutterOwner &) = default;
};
