#include "HelpWindow.h"

#include "HelpContext.h"

#include "common/Helpers.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Hilfe"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 560);
}

bool HelpWindow::showContext(int context) {
    const QString file = helpFileName();
    if (!QFileInfo(file).isFile()) {
        ShowWarningBox(QStringLiteral("Hinweis"),
                       QStringLiteral("Die Hilfedatei %1 wurde nicht gefunden.")
                           .arg(QDir::toNativeSeparators(file)));
        return false;
    }
    const QUrl url = helpUrl(context);
    QUrl current = m_browser->source();
    current.setFragment(QString());
    if (current == QUrl::fromLocalFile(file) && url.hasFragment()) {
        m_browser->scrollToAnchor(url.fragment());
    } else if (current == QUrl::fromLocalFile(file)) {
        m_browser->setSource(url);
        m_browser->verticalScrollBar()->setValue(0);
    } else {
        m_browser->setSource(url);
    }
    return true;
}

void ShowHelp(int context, QWidget *owner) {
    QWidget *window = owner ? owner->window() : nullptr;
    HelpWindow *help = nullptr;
    if (window) {
        help = window->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    } else {
        for (QWidget *topLevel : QApplication::topLevelWidgets()) {
            if (auto *candidate = qobject_cast<HelpWindow *>(topLevel); candidate && !help)
                help = candidate;
        }
    }
    const bool created = !help;
    if (created) {
        help = new HelpWindow(window);
        help->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!help->showContext(context)) {
        if (created)
            help->deleteLater();
        return;
    }
    help->show();
    help->raise();
    help->activateWindow();
}
