#pragma once

#include <QEvent>

// A private message for an editor window, carrying its number (1038 to 1115). Post or send
// it to a TFMDIQuill to drive the window from outside: save, print, close, undo, clipboard,
// compile and run. Unknown numbers are ignored.
class EditorMessageEvent : public QEvent {
public:
    explicit EditorMessageEvent(int message) : QEvent(EventType()), m_message(message) {}

    int message() const { return m_message; }

    // The event type, registered once per process.
    static QEvent::Type EventType() {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

private:
    int m_message;
};
