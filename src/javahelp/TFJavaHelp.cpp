#include "TFJavaHelp.h"

#include "editor/DocumentTextSource.h"
#include "editor/FindDialog.h"
#include "editor/SearchLogic.h"

#include "common/CommandMenus.h"
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

    ConnectCommand(m_cbKlasse, &QComboBox::currentIndexChanged, this, &TFJavaHelp::cbKlasseChange);
    ConnectCommand(m_eSuche, &QLineEdit::textChanged, this, &TFJavaHelp::ESucheChange);

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

namespace {

using T = TFJavaHelp;
using R = CommandRows<TFJavaHelp>;

const CommandRow<TFJavaHelp> kRows[] = {
    R::menu("MainBearbeiten", "&Bearbeiten"),
    R::item("MnBlockKopieren", "&Kopieren", &T::MnBlockKopierenClick,
            QKeyCombination(Qt::ControlModifier, Qt::Key_C)),
    R::item("MnAllesmarkieren", "Alles &markieren", &T::MnAllesmarkierenClick,
            QKeyCombination(Qt::ControlModifier, Qt::Key_A)),

    R::menu("MainSuchen", "&Suchen"),
    R::item("MnSuchen", "&Suchen", &T::MnSuchenClick,
            QKeyCombination(Qt::ControlModifier, Qt::Key_F), "Suchen eines Teiltextes"),
    R::item("MnWeitersuchen", "&Weitersuchen", &T::MnWeitersuchenClick, QKeyCombination(Qt::Key_F3),
            "Nochmalige Suche eines Teiltextes"),

    R::menu("MainSchriftgroesse", "Schriftgröße"),
    R::item("MnSize_08", "8 pg", &T::MnSize_08Click),
    R::item("MnSize_09", "9 pg", &T::MnSize_09Click),
    R::item("MnSize_10", "10 pg", &T::MnSize_10Click),
    R::item("MnSize_11", "11 pg", &T::MnSize_11Click),
    R::item("MnSize_12", "12 pg", &T::MnSize_12Click),
    R::item("MnSize_14", "14 pg", &T::MnSize_14Click),
};

} // namespace

std::span<const CommandRow<TFJavaHelp>> TFJavaHelp::CommandTable() {
    return kRows;
}

void TFJavaHelp::buildMenus() {
    // Its menus show no tool tips; the hints are status tips.
    const CommandMenus<TFJavaHelp> built = BuildCommandMenus(this, this, CommandTable(), false);
    for (QMenu *menu : built.menus)
        menuBar()->addMenu(menu);
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
        RunCommand([this] { Memo1DblClick(); });
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
        ConnectCommand(m_findDialog, &FindDialog::Find, this, &TFJavaHelp::FindDialog1Find);
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
