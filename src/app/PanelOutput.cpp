#include "PanelOutput.h"

#include <QPlainTextEdit>
#include <QTextCursor>

PanelOutput::PanelOutput(QPlainTextEdit *panel) : m_panel(panel) {}

void PanelOutput::Clear() {
    if (!m_panel)
        return;
    m_panel->clear();
    m_panel->repaint();
}

void PanelOutput::AppendLine(const QString &line) {
    if (m_panel)
        m_panel->appendPlainText(line);
}

void PanelOutput::SetText(const QString &text) {
    if (m_panel)
        m_panel->setPlainText(text);
}

void PanelOutput::FocusStart() {
    if (!m_panel)
        return;
    m_panel->setFocus();
    QTextCursor cursor = m_panel->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_panel->setTextCursor(cursor);
}
