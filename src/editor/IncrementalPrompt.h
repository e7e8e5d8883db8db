#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

// The status-bar prompt of the incremental-search command. The command does not change how
// keys are handled: typing goes into the text and the next key release shows the caret text
// again in panel 0. Esc ends the prompt, which takes "Ende mit ESC" away.
class IncrementalPrompt {
public:
    // The texts of the status panels 0 to 2 while the prompt is shown.
    static QStringList Panels() {
        return {QStringLiteral("Suchen nach"), QString(), QStringLiteral("Ende mit ESC")};
    }
    // How often the command beeps.
    static constexpr int Beeps = 1;

    void Start() { m_active = true; }
    bool IsActive() const { return m_active; }
    // A key was released in a text control; true when it ends the prompt (Esc while shown):
    // the window then empties panel 2.
    bool KeyReleased(int key) {
        if (!m_active || key != Qt::Key_Escape)
            return false;
        m_active = false;
        return true;
    }
    // Something else wrote panel 2; the prompt is over.
    void Forget() { m_active = false; }

private:
    bool m_active = false;
};
