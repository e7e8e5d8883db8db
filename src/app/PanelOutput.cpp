#include "PanelOutput.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

PanelOutput::PanelOutput(QPlainTextEdit *panel) : m_panel(panel) {}

template <typename Change> void PanelOutput::keepingPlace(Change change) {
    QScrollBar *bar = m_panel->verticalScrollBar();
    // At the last line (or without a scroll bar) the panel follows the output.
    const bool follow = bar->value() >= bar->maximum();
    const int place = bar->value();
    change();
    bar->setValue(follow ? bar->maximum() : std::min(place, bar->maximum()));
}

void PanelOutput::Clear() {
    if (!m_panel)
        return;
    m_panel->clear();
    m_panel->repaint();
}

void PanelOutput::AppendLine(const QString &line) {
    if (m_panel)
        keepingPlace([this, &line] { m_panel->appendPlainText(line); });
}

void PanelOutput::SetText(const QString &text) {
    if (m_panel)
        keepingPlace([this, &text] { m_panel->setPlainText(text); });
}

void PanelOutput::FocusStart() {
    if (!m_panel)
        return;
    m_panel->setFocus();
    QTextCursor cursor = m_panel->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_panel->setTextCursor(cursor);
}
