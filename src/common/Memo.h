#pragma once

#include <QPlainTextEdit>

// The plain multi-line text control of the program: a QPlainTextEdit with the behaviour the
// editor relies on (MaxLength on user input, the modified flag of its document).
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    // Limits how many characters the user can enter (typing, pasting, dropping); 0 means no
    // limit. Characters are counted as the control holds them, a line break as one. Text
    // set by the program (loading a file) is not limited.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length) { m_maxLength = length; }
    // The part of `text` that fits under MaxLength when it replaces `replaced` characters;
    // beeps when some of it had to be left out. Typing and pasting insert that part.
    QString LimitInsertion(const QString &text, int replaced) const;
    // Whether `length` characters fit whole when they replace `replaced` ones; beeps when
    // not. A drop is taken whole or not at all, so a dragged text is never split.
    bool FitsWhole(qsizetype length, int replaced) const;

    bool Modified() const;
    void SetModified(bool modified);

    // Shows `document` in place of the control's own, so that several controls show one
    // text; nullptr gives the control an empty document of its own again. The document needs
    // a QPlainTextDocumentLayout, and the caller keeps it alive while it is shown.
    void ShowDocument(QTextDocument *document);
    // Whether a change of the control's width lays the document out anew (the default). A
    // control that shows a document another control lays out turns this off: without
    // wrapping the width changes no line, and laying out a long text anew takes long.
    void SetRelayoutOnResize(bool relayout) { m_relayoutOnResize = relayout; }

    // Clipboard commands; a control may refuse some (the colouring control without
    // permission for cut and copy). Hosts call these rather than cut()/copy()/paste().
    virtual void CutToClipboard() { cut(); }
    virtual void CopyToClipboard() { copy(); }
    virtual void PasteFromClipboard() { paste(); }

protected:
    // The control shows another document now (see ShowDocument).
    virtual void DocumentShown() {}
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;

private:
    int SelectionLength() const;
    // Characters that can still be added when `replaced` ones go; -1 without a limit.
    qsizetype Room(int replaced) const;

    int m_maxLength = 0;
    bool m_relayoutOnResize = true;
};
