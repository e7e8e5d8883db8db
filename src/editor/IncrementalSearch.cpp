#include "IncrementalSearch.h"

#include "TextSearch.h"

QString IncrementalSearch::PromptText(const QString &searchText) {
    return QStringLiteral("Suchen nach: ") + searchText;
}

IncrementalSearch::Key IncrementalSearch::Classify(int key, Qt::KeyboardModifiers modifiers,
                                                   const QString &text) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return Key::Ignore;
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return Key::Finish;
    case Qt::Key_Backspace:
        return held ? Key::Leave : Key::Back;
    case Qt::Key_F3:
        return held ? Key::Leave : Key::Next;
    case Qt::Key_I:
        if (held == Qt::ControlModifier && !(modifiers & Qt::ShiftModifier))
            return Key::Next;
        break;
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return Key::Leave;
    // Ctrl+Alt types characters where it stands for AltGr.
    const bool command = held && held != (Qt::ControlModifier | Qt::AltModifier);
    bool printable = !text.isEmpty();
    for (const QChar c : text)
        printable = printable && (c.isPrint() || c.isSurrogate() || c == u'\t');
    if (!command && printable)
        return Key::Type;
    return held ? Key::Leave : Key::Swallow;
}

void IncrementalSearch::Start(Selection current) {
    m_active = true;
    m_steps.clear();
    m_steps.push_back({QString(), current, current.Start, true});
}

QString IncrementalSearch::Text() const {
    return m_steps.empty() ? QString() : m_steps.back().Text;
}

IncrementalSearch::Reaction IncrementalSearch::Show(const Step &step, bool beep) const {
    Reaction reaction;
    reaction.Consumed = true;
    reaction.Beep = beep;
    reaction.Select = true;
    reaction.Range = step.Shown;
    return reaction;
}

IncrementalSearch::Reaction IncrementalSearch::KeyPressed(const TextSource &text, int key,
                                                          Qt::KeyboardModifiers modifiers,
                                                          const QString &typed) {
    if (!m_active)
        return {};
    switch (Classify(key, modifiers, typed)) {
    case Key::Type:
        return Type(text, typed);
    case Key::Back:
        return Back();
    case Key::Next:
        return Next(text);
    case Key::Finish: {
        Reaction reaction = End();
        reaction.Consumed = true;
        return reaction;
    }
    case Key::Leave:
        return End();
    case Key::Ignore:
        return {};
    case Key::Swallow:
        break;
    }
    Reaction reaction;
    reaction.Consumed = true;
    return reaction;
}

IncrementalSearch::Reaction IncrementalSearch::Type(const TextSource &text, const QString &typed) {
    if (!m_active)
        return {};
    if (typed.isEmpty()) {
        Reaction reaction;
        reaction.Consumed = true;
        return reaction;
    }
    const Step &current = m_steps.back();
    Step step{current.Text + typed, current.Shown, current.From, false};
    // The match may grow where it stands: the search starts at the current match itself.
    const SearchPattern pattern(step.Text, false);
    const qsizetype found = FindForward(text, pattern, current.From);
    if (found >= 0) {
        step.Shown = {found, pattern.Length()};
        step.From = found;
        step.Found = true;
    }
    m_steps.push_back(step);
    return Show(step, !step.Found);
}

IncrementalSearch::Reaction IncrementalSearch::Back() {
    if (!m_active)
        return {};
    if (m_steps.size() > 1)
        m_steps.pop_back();
    return Show(m_steps.back(), false);
}

IncrementalSearch::Reaction IncrementalSearch::Next(const TextSource &text) {
    if (!m_active)
        return {};
    const Step &current = m_steps.back();
    if (current.Text.isEmpty()) {
        if (m_lastText.isEmpty())
            return Show(current, true);
        return Type(text, m_lastText);
    }
    if (!current.Found)
        return Show(current, true);
    const SearchPattern pattern(current.Text, false);
    const qsizetype found = FindForward(text, pattern, current.Shown.Start + 1);
    if (found < 0)
        return Show(current, true);
    Step step{current.Text, {found, pattern.Length()}, found, true};
    m_steps.push_back(step);
    return Show(step, false);
}

IncrementalSearch::Reaction IncrementalSearch::End() {
    if (!m_active)
        return {};
    m_active = false;
    if (!Text().isEmpty())
        m_lastText = Text();
    m_steps.clear();
    Reaction reaction;
    reaction.Ended = true;
    return reaction;
}
