#include "TFKonsole.h"

#include "colormemo/ColorConvert.h"
#include "colormemo/ColorMemo.h"
#include "colormemo/EditorMemoSetup.h"
#include "common/CommandGuard.h"
#include "editor/CompletionPopup.h"
#include "javahelp/Completion.h"
#include "settings/Settings.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont EditorFont() {
    QFont font(Settings::EditorSchriftName.isEmpty() ? QStringLiteral("Courier New")
                                                     : Settings::EditorSchriftName);
    if (Settings::EditorSchriftGroesse > 0)
        font.setPointSize(Settings::EditorSchriftGroesse);
    font.setBold(Settings::EditorSchriftBold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

TFKonsole::TFKonsole(KonsoleEngine &engine, const QString &historyFile, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_history(historyFile), m_session(engine, m_history) {
    setObjectName(QStringLiteral("FKonsole"));
    setWindowTitle(QStringLiteral("Java-Konsole"));
    resize(720, 480);
    m_history.Load();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    m_ausgabe = new QPlainTextEdit(central);
    m_ausgabe->setObjectName(QStringLiteral("MemoAusgabe"));
    m_ausgabe->setReadOnly(true);
    m_ausgabe->setUndoRedoEnabled(false);
    m_ausgabe->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_ausgabe->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(m_ausgabe, 1);

    auto *row = new QWidget(central);
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(2, 0, 2, 2);
    m_prompt = new QLabel(KonsoleSession::Prompt, row);
    m_prompt->setObjectName(QStringLiteral("LPrompt"));
    m_prompt->setAlignment(Qt::AlignTop | Qt::AlignRight);
    rowLayout->addWidget(m_prompt);
    m_eingabe = new TColorMemo(row);
    m_eingabe->setObjectName(QStringLiteral("MemoEingabe"));
    SetupEditorColorMemo(*m_eingabe);
    m_eingabe->Gutter().SetSize(0);
    m_eingabe->Gutter().SetShowLineNumbers(false);
    m_eingabe->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_eingabe->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_eingabe->installEventFilter(this);
    rowLayout->addWidget(m_eingabe, 1);
    m_stop = new QToolButton(row);
    m_stop->setObjectName(QStringLiteral("BnAnhalten"));
    m_stop->setText(QStringLiteral("Anhalten"));
    m_stop->setToolTip(QStringLiteral("Hält die laufende Auswertung an (Strg+F2)"));
    m_stop->setFocusPolicy(Qt::NoFocus);
    m_stop->setEnabled(false);
    ConnectCommand(m_stop, &QToolButton::clicked, this, [this] { MnAnhaltenClick(); });
    rowLayout->addWidget(m_stop, 0, Qt::AlignTop);
    layout->addWidget(row);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    buildMenus();
    ApplySettings();

    ConnectCommand(&m_session, &KonsoleSession::Appended, this,
                   [this](KonsoleText kind, const QString &text) { showAppended(kind, text); });
    ConnectCommand(&m_session, &KonsoleSession::Cleared, this, [this] { m_ausgabe->clear(); });
    ConnectCommand(&m_session, &KonsoleSession::StateChanged, this, [this] { showState(); });
    showState();
}

void TFKonsole::buildMenus() {
    QMenu *menu = menuBar()->addMenu(QStringLiteral("&Konsole"));
    auto item = [this, menu](const char *name, const QString &caption, const QKeySequence &key,
                             void (TFKonsole::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        ConnectCommand(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    item("MnZuruecksetzen", QStringLiteral("Konsole &zurücksetzen"), {},
         &TFKonsole::MnZuruecksetzenClick);
    item("MnAnhalten", QStringLiteral("Auswertung &anhalten"), QKeySequence(Qt::CTRL | Qt::Key_F2),
         &TFKonsole::MnAnhaltenClick);
    item("MnLeeren", QStringLiteral("Ausgabe &leeren"), QKeySequence(Qt::CTRL | Qt::Key_L),
         &TFKonsole::MnLeerenClick);
    menu->addSeparator();
    item("MnVervollstaendigen", QStringLiteral("Wort &vervollständigen"),
         QKeySequence(Qt::CTRL | Qt::Key_Space), &TFKonsole::MnVervollstaendigenClick);
    menu->addSeparator();
    QAction *close = menu->addAction(QStringLiteral("&Schließen"));
    close->setObjectName(QStringLiteral("MnSchliessen"));
    ConnectCommand(close, &QAction::triggered, this, [this] { this->close(); });
}

QAction *TFKonsole::MenuItem(const QString &objectName) const {
    return findChild<QAction *>(objectName);
}

void TFKonsole::SetClassFolderSource(std::function<QString()> source) {
    m_session.SetClassFolderSource(std::move(source));
}

void TFKonsole::SetCompletionClasses(std::function<const CompletionIndex *()> classes) {
    m_classes = std::move(classes);
}

void TFKonsole::ApplySettings() {
    const QFont font = EditorFont();
    m_ausgabe->setFont(font);
    m_eingabe->setFont(font);
    m_prompt->setFont(font);
    const QFontMetricsF metrics(font);
    m_ausgabe->setTabStopDistance(metrics.horizontalAdvance(u' ') * 4);
    m_eingabe->setTabStopDistance(metrics.horizontalAdvance(u' ') * 4);
    // Two lines of input show; a longer input scrolls.
    const int line = QFontMetrics(font).lineSpacing();
    m_eingabe->setFixedHeight(line * 2 + 2 * m_eingabe->frameWidth() + 8);
    ApplyEditorRuleColors(*m_eingabe,
                          {Settings::Color0, Settings::Color1, Settings::Color2, Settings::Color3});
    const QColor text = ToQColor(Settings::EditorSchriftFarbe, palette());
    m_errorColor = ToQColor(Settings::ErrorSchriftFarbe, palette());
    // An error colour that looks like the ordinary text would hide System.err in it.
    if (m_errorColor == text)
        m_errorColor = QColor(Qt::red);
    m_noteColor = palette().color(QPalette::Disabled, QPalette::Text);
}

void TFKonsole::ShowKonsole() {
    show();
    raise();
    activateWindow();
    m_eingabe->setFocus();
    m_session.Open();
}

void TFKonsole::showAppended(KonsoleText kind, const QString &text) {
    QTextCharFormat format;
    switch (kind) {
    case KonsoleText::Input:
        format.setFontWeight(QFont::Bold);
        break;
    case KonsoleText::Err:
    case KonsoleText::Error:
    case KonsoleText::Exception:
        format.setForeground(m_errorColor);
        break;
    case KonsoleText::Info:
    case KonsoleText::Note:
        format.setForeground(m_noteColor);
        format.setFontItalic(true);
        break;
    case KonsoleText::Out:
    case KonsoleText::Value:
        break;
    }
    QScrollBar *bar = m_ausgabe->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor cursor(m_ausgabe->document());
    cursor.movePosition(QTextCursor::End);
    // Blocks of a text control end without a line break: the break of the last line waits
    // for the next text, so no empty line hangs below the transcript.
    QString shown = text;
    if (m_pendingBreak)
        shown.prepend(u'\n');
    m_pendingBreak = shown.endsWith(u'\n');
    if (m_pendingBreak)
        shown.chop(1);
    cursor.insertText(shown, format);
    if (atEnd)
        bar->setValue(bar->maximum());
}

void TFKonsole::showState() {
    m_prompt->setText(m_session.CurrentPrompt());
    m_stop->setEnabled(m_session.Evaluating());
    if (QAction *stop = MenuItem(QStringLiteral("MnAnhalten")))
        stop->setEnabled(m_session.Evaluating());
    statusBar()->showMessage(m_session.StatusText());
}

void TFKonsole::MnZuruecksetzenClick() {
    m_session.ResetState();
}

void TFKonsole::MnAnhaltenClick() {
    m_session.Stop();
}

void TFKonsole::MnLeerenClick() {
    m_pendingBreak = false;
    m_session.ClearTranscript();
}

void TFKonsole::EingabeSenden() {
    const QString input = m_eingabe->toPlainText();
    m_eingabe->clear();
    m_session.Submit(input);
}

void TFKonsole::MnVervollstaendigenClick() {
    // Names typed before count as declared: the history stands in front of the input.
    const QString context = m_history.Entries().join(u'\n') + u'\n';
    const QString text = context + m_eingabe->toPlainText();
    const qsizetype caret = context.size() + m_eingabe->textCursor().position();
    const CompletionIndex *classes = m_classes ? m_classes() : nullptr;
    const CompletionIndex none;
    CompletionResult result = Completion::candidatesAt(text, caret, classes ? *classes : none);
    if (result.candidates.isEmpty() || result.wordStart < context.size())
        return;
    result.wordStart -= context.size();
    auto insert = [this](const CompletionCandidate &candidate, qsizetype wordStart) {
        const Completion::Insertion insertion = Completion::insertionFor(candidate);
        QTextCursor cursor = m_eingabe->textCursor();
        const int caretAt = cursor.position();
        if (wordStart > caretAt)
            return;
        cursor.setPosition(int(wordStart));
        cursor.setPosition(caretAt, QTextCursor::KeepAnchor);
        cursor.insertText(insertion.text);
        cursor.setPosition(int(wordStart + insertion.caretOffset));
        m_eingabe->setTextCursor(cursor);
    };
    if (result.candidates.size() == 1) {
        insert(result.candidates.first(), result.wordStart);
        return;
    }
    auto *popup = new CompletionPopup(m_eingabe, result);
    ConnectCommand(popup, &CompletionPopup::chosen, this, insert);
    popup->showAtCaret();
}

bool TFKonsole::walkHistory(bool older) {
    const QTextCursor cursor = m_eingabe->textCursor();
    // Inside a text of several lines the keys move the caret, at its first or last line
    // they walk.
    if (older && cursor.block() != m_eingabe->document()->firstBlock())
        return false;
    if (!older && cursor.block() != m_eingabe->document()->lastBlock())
        return false;
    QString shown;
    if (older ? !m_history.Older(m_eingabe->toPlainText(), shown) : !m_history.Newer(shown))
        return older; // at the oldest entry Up does nothing; Down moves the caret
    m_eingabe->setPlainText(shown);
    m_eingabe->moveCursor(QTextCursor::End);
    return true;
}

bool TFKonsole::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_eingabe && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        bool handled = false;
        RunCommand([&] {
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (modifiers == Qt::NoModifier) {
                    EingabeSenden();
                    handled = true;
                }
                break;
            case Qt::Key_Up:
                if (modifiers == Qt::NoModifier)
                    handled = walkHistory(true);
                break;
            case Qt::Key_Down:
                if (modifiers == Qt::NoModifier)
                    handled = walkHistory(false);
                break;
            case Qt::Key_Escape:
                m_history.EndWalk();
                m_eingabe->clear();
                m_session.CancelContinuation();
                handled = true;
                break;
            default:
                break;
            }
        });
        if (handled)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
