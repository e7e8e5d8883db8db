#include "TFJavaHelp.h"

#include "common/Helpers.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "common/UiProvider.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

TFJavaHelp::TFJavaHelp(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FJavaHelp"));
    setWindowTitle(QStringLiteral("Java-Hilfe"));
    resize(560, 640);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_panel = new QWidget(central);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    auto *row = new QHBoxLayout(m_panel);
    row->setContentsMargins(6, 6, 6, 6);
    m_label1 = new QLabel(QStringLiteral("Klasse"), m_panel);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_cbKlasse = new QComboBox(m_panel);
    m_cbKlasse->setObjectName(QStringLiteral("cbKlasse"));
    m_cbKlasse->setEditable(false);
    m_cbKlasse->setMaxVisibleItems(25);
    m_cbKlasse->setMinimumContentsLength(18);
    m_label1->setBuddy(m_cbKlasse);
    m_label2 = new QLabel(QStringLiteral("Suche"), m_panel);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_eSuche = new QLineEdit(m_panel);
    m_eSuche->setObjectName(QStringLiteral("ESuche"));
    m_label2->setBuddy(m_eSuche);
    row->addWidget(m_label1);
    row->addWidget(m_cbKlasse, 2);
    row->addSpacing(8);
    row->addWidget(m_label2);
    row->addWidget(m_eSuche, 1);
    layout->addWidget(m_panel);

    m_memo1 = new TMemo(central);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->viewport()->installEventFilter(this);
    layout->addWidget(m_memo1, 1);

    // Scratch buffer through which a line reaches the clipboard.
    m_memo2 = new TMemo(central);
    m_memo2->setObjectName(QStringLiteral("Memo2"));
    m_memo2->setVisible(false);

    setCentralWidget(central);
    buildMenus();

    connect(m_cbKlasse, &QComboBox::currentIndexChanged, this, &TFJavaHelp::cbKlasseChange);
    connect(m_eSuche, &QLineEdit::textChanged, this, &TFJavaHelp::ESucheChange);

    FormCreate();
}

TFJavaHelp *TFJavaHelp::Open(QWidget *parent) {
    auto *window = new TFJavaHelp(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QScreen *screen = parent ? parent->screen() : window->screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    window->move(area.x() + area.width() - window->width() - 30, area.y() + 10);
    window->show();
    return window;
}

QAction *TFJavaHelp::addItem(QMenu *menu, const char *name, const QString &text,
                             const QKeySequence &shortcut, void (TFJavaHelp::*handler)()) {
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TFJavaHelp::buildMenus() {
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    addItem(edit, "MnBlockKopieren", QStringLiteral("&Kopieren"), QKeySequence::Copy,
            &TFJavaHelp::MnBlockKopierenClick);
    addItem(edit, "MnAllesmarkieren", QStringLiteral("Alles &markieren"), QKeySequence::SelectAll,
            &TFJavaHelp::MnAllesmarkierenClick);

    QMenu *search = menuBar()->addMenu(QStringLiteral("&Suchen"));
    addItem(search, "MnSuchen", QStringLiteral("&Suchen"), QKeySequence(Qt::CTRL | Qt::Key_F),
            &TFJavaHelp::MnSuchenClick)
        ->setStatusTip(QStringLiteral("Suchen eines Teiltextes"));
    addItem(search, "MnWeitersuchen", QStringLiteral("&Weitersuchen"), QKeySequence(Qt::Key_F3),
            &TFJavaHelp::MnWeitersuchenClick)
        ->setStatusTip(QStringLiteral("Nochmalige Suche eines Teiltextes"));

    QMenu *size = menuBar()->addMenu(QStringLiteral("Schriftgröße"));
    addItem(size, "MnSize_08", QStringLiteral("8 pg"), {}, &TFJavaHelp::MnSize_08Click);
    addItem(size, "MnSize_09", QStringLiteral("9 pg"), {}, &TFJavaHelp::MnSize_09Click);
    addItem(size, "MnSize_10", QStringLiteral("10 pg"), {}, &TFJavaHelp::MnSize_10Click);
    addItem(size, "MnSize_11", QStringLiteral("11 pg"), {}, &TFJavaHelp::MnSize_11Click);
    addItem(size, "MnSize_12", QStringLiteral("12 pg"), {}, &TFJavaHelp::MnSize_12Click);
    addItem(size, "MnSize_14", QStringLiteral("14 pg"), {}, &TFJavaHelp::MnSize_14Click);
}

void TFJavaHelp::FormCreate() {
    m_memo1->clear();
    m_cbKlasse->clear();
    m_loading = true;
    m_eSuche->clear();

    const QString fileName = ProgramDir() + QStringLiteral("javaklassen.txt");
    if (!QFileInfo(fileName).isFile()) {
        ShowWarningBox(QStringLiteral("Hinweis"),
                       QStringLiteral("Die Datei javaklassen.txt ist nicht vorhanden"));
    } else {
        QString error;
        if (JavaClassList::load(fileName, m_classes, error))
            m_cbKlasse->addItems(m_classes.sortedShortNames());
        else
            ShowErrorBox(QStringLiteral("Fehler"), error);
    }
    // No class is chosen until the user picks one.
    m_cbKlasse->setCurrentIndex(-1);
    m_loading = false;
}

void TFJavaHelp::cbKlasseChange() {
    ESucheChange();
}

void TFJavaHelp::ESucheChange() {
    if (m_loading || m_cbKlasse->currentIndex() < 0)
        return;
    const JavaClassEntry *entry = m_classes.find(m_cbKlasse->currentText());
    if (!entry)
        return;
    m_memo1->setPlainText(JavaClassList::displayText(*entry, m_eSuche->text()));
    m_memo1->moveCursor(QTextCursor::Start);
}

void TFJavaHelp::Memo1DblClick() {
    const QString line = m_memo1->textCursor().block().text();
    m_memo2->setPlainText(line + u'\n');
    m_memo2->selectAll();
    m_memo2->CopyToClipboard();
}

bool TFJavaHelp::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_memo1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The caret goes to the clicked line first, whatever the pair's first click did.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_memo1->setTextCursor(m_memo1->cursorForPosition(mouse->position().toPoint()));
        Memo1DblClick();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFJavaHelp::MnBlockKopierenClick() {
    m_memo1->CopyToClipboard();
}

void TFJavaHelp::MnAllesmarkierenClick() {
    m_memo1->selectAll();
}

void TFJavaHelp::MnSuchenClick() {
    findInMemo1(true);
}

void TFJavaHelp::MnWeitersuchenClick() {
    findInMemo1(false);
}

void TFJavaHelp::setMemoFontSize(int points) {
    QFont font = m_memo1->font();
    font.setPointSize(points);
    m_memo1->setFont(font);
}

void TFJavaHelp::findInMemo1(bool ask) {
    if (ask || m_searchText.isEmpty()) {
        // Proposes the word at the caret: up to a tab, a line break or a character 32..47.
        const QString text = m_memo1->toPlainText();
        qsizetype end = m_memo1->textCursor().position();
        const qsizetype start = end;
        while (end < text.size() && text.at(end).unicode() > 47)
            ++end;
        const QString word = text.mid(start, end - start);
        const std::optional<QString> answer =
            ui().inputText(QStringLiteral("Suchen"), QStringLiteral("Suchen nach:"),
                           word.isEmpty() ? m_searchText : word);
        if (!answer || answer->isEmpty())
            return;
        m_searchText = *answer;
    }
    QTextCursor found = m_memo1->document()->find(m_searchText, m_memo1->textCursor());
    if (found.isNull()) {
        ShowWarningBox(QStringLiteral("Suchen"),
                       QStringLiteral("Der Suchstring\r\n") + UpperCaseChars(m_searchText) +
                           QStringLiteral("\r\nkonnte nicht gefunden werden"));
        return;
    }
    m_memo1->setTextCursor(found);
}
