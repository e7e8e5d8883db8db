#pragma once

#include <QString>

#include <memory>

class BuildTarget;
class QObject;

// An open document as the workspace sees it: what it needs to know of the window that holds
// it. The frame gives one per editor window; tests give fakes.
class WorkspaceDocument {
public:
    virtual ~WorkspaceDocument() = default;

    // The window that holds the document; it identifies the document, the workspace never
    // looks into it.
    virtual QObject *Window() const = 0;
    // Whether the document has a file of its own; a never-saved one has none.
    virtual bool HasFile() const = 0;
    // Full path of the document's file (the no-name text while it has none) and its folder
    // with the trailing separator.
    virtual QString FileName() const = 0;
    virtual QString FileDir() const = 0;
    // Whether the document's file is the file `name` names (as SameFileName compares them);
    // never true without a file.
    virtual bool HoldsFile(const QString &name) const = 0;
    // The document as the build commands see it.
    virtual std::shared_ptr<BuildTarget> Target() = 0;
};
