#include "TFJavaHelp.h"

#include "editor/DocumentTextSource.h"
#include "editor/FindDialog.h"
#include "editor/SearchLogic.h"

#include "common/CommandGuard.h"
#include "common/Helpers.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"

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

FindDialog *TFJavaHelp::FindDialog1() {
    if (!m_findDialog) {
        m_findDialog = new FindDialog(this);
        m_findDialog->setObjectName(QStringLiteral("FindDialog1"));
        connect(m_findDialog, &FindDialog::Find, this, Guarded([this] { FindDialog1Find(); }));
    }
    return m_findDialog;
}

void TFJavaHelp::MnSuchenClick() {
    const DocumentTextSource text(*m_memo1->document());
    FindDialog1()->Present(WordAtCaret(text, m_memo1->textCursor().selectionStart()));
}

void TFJavaHelp::FindDialog1Find() {
    m_findDialog->close();
    findInMemo1();
}

void TFJavaHelp::MnWeitersuchenClick() {
    // With nothing to search for yet, F3 asks for it.
    if (!m_findDialog || m_findDialog->FindText().isEmpty()) {
        MnSuchenClick();
        return;
    }
    m_findDialog->close();
    findInMemo1();
}

void TFJavaHelp::setMemoFontSize(int points) {
    QFont font = m_memo1->font();
    font.setPointSize(points);
    m_memo1->setFont(font);
}

void TFJavaHelp::findInMemo1() {
    // The editor's search: the same folding of letters, the same boxes.
    const DocumentTextSource text(*m_memo1->document());
    const SearchOutcome outcome =
        SearchFromCaret(text, m_memo1->textCursor().selectionStart(), m_findDialog->Request());
    for (const SearchMessage &message : outcome.Messages)
        ShowWarningBox(message.Caption, message.Text);
    if (!outcome.Found)
        return;
    QTextCursor found(m_memo1->document());
    found.setPosition(int(outcome.Position));
    found.setPosition(int(outcome.Position + outcome.Length), QTextCursor::KeepAnchor);
    m_memo1->setTextCursor(found);
    m_memo1->ensureCursorVisible();
    // The found line gets the focus, even when the search came from the dialog.
    activateWindow();
    m_memo1->setFocus();
}
