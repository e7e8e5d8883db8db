#pragma once

#include "editor/CheckMarks.h"
#include "javarun/CompileResult.h"
#include "javarun/LiveCheckProtocol.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class EditorHost;
class LiveCheckServer;
class TFMDIQuill;

// The check while typing of one editor window: 600 ms after the last change of a Java
// text, the window's text goes to the frame's check server; the answer for the text as it
// still is becomes the window's marks. An answer for an older text is dropped: the newer
// text's own check follows its own pause. The window only shows the marks.
class WindowLiveCheck : public QObject {
    Q_OBJECT
public:
    WindowLiveCheck(TFMDIQuill &window, EditorHost &host);
    ~WindowLiveCheck() override;

    // The pause timer (single shot, 600 ms).
    QTimer *Timer() { return &m_pause; }
    const CheckMarks &Marks() const { return m_marks; }

    // Whether checks are on and can run for this window now.
    bool Enabled() const;
    // The settings may have changed: off takes every mark away, on checks after a pause.
    void SettingsChanged();
    // An F8 compile finished: its messages on this window's file become the marks, when the
    // text is still the one compiled.
    void ShowCompile(const CompileResult &result);
    // The check that the pause's end starts. Other windows of the folder that show marks are
    // checked again too: their marks may have come from this text as it was.
    void CheckNow();
    // Checks this window's text as it is, and no other.
    void CheckOwnText();

signals:
    // The marks changed: the window shows them anew.
    void MarksChanged();

private:
    void TextChanged();
    std::optional<CheckRequest> Request() const;
    void Answered(const QObject *owner, quint64 ticket, const QList<CheckedMessage> &messages);

    TFMDIQuill &m_window;
    EditorHost &m_host;
    QPointer<LiveCheckServer> m_server;
    CheckMarks m_marks;
    QTimer m_pause;
    // Counts the document's changes; a check carries the count of its text.
    quint64 m_edits = 0;
};
