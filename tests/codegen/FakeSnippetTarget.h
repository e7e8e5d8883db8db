#pragma once

#include "codegen/SnippetTarget.h"

// A text as a plain list of lines with a caret line, for testing snippets without a window.
class FakeSnippetTarget : public SnippetTarget {
public:
    explicit FakeSnippetTarget(QStringList lines = {}, int caret = 0)
        : lines(std::move(lines)), caret(caret) {}

    QStringList lines;
    int caret = 0;
    bool modified = false;

    int lineCount() const override { return int(lines.size()); }
    QString line(int index) const override { return lines.at(index); }
    int caretLine() const override { return caret; }
    void insertLines(int index, const QStringList &inserted) override {
        Q_ASSERT(index >= 0 && index <= lines.size());
        for (int i = 0; i < inserted.size(); ++i)
            lines.insert(index + i, inserted.at(i));
        caret = index + int(inserted.size());
        modified = true;
    }
    void setModified() override { modified = true; }
};
