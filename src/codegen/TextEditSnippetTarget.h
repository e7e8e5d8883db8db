#pragma once

#include "codegen/SnippetTarget.h"

class QPlainTextEdit;

// The snippets' view of a text control: its lines as a line list sees them, and insertion
// as one edit step that the control's undo takes back at once.
class TextEditSnippetTarget : public SnippetTarget {
public:
    explicit TextEditSnippetTarget(QPlainTextEdit *edit) : m_edit(edit) {}

    int lineCount() const override;
    QString line(int index) const override;
    int caretLine() const override;
    void insertLines(int index, const QStringList &lines) override;
    void setModified() override;

private:
    QPlainTextEdit *m_edit;
};
