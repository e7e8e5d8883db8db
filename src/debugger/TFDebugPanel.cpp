#include "TFDebugPanel.h"

#include "DebugSession.h"

#include "common/CommandGuard.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

// An item's object: its id, and whether its fields or elements were asked for.
constexpr int ObjectRole = Qt::UserRole;
constexpr int AskedRole = Qt::UserRole + 1;

// A titled column of the panel.
QWidget *titled(const QString &title, QWidget *content, QWidget *parent) {
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(new QLabel(title, box));
    content->setParent(box);
    layout->addWidget(content, 1);
    return box;
}

} // namespace

TFDebugPanel::TFDebugPanel(DebugSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("PanelDebug"));
    m_variables = new QTreeWidget;
    m_variables->setObjectName(QStringLiteral("Variablen"));
    m_variables->setAccessibleName(QStringLiteral("Variablen"));
    m_variables->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Wert"), QStringLiteral("Typ")});
    m_variables->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_variables->setColumnWidth(0, 140);
    m_variables->setColumnWidth(1, 180);
    m_variables->setUniformRowHeights(true);
    m_calls = new QListWidget;
    m_calls->setObjectName(QStringLiteral("Aufrufe"));
    m_calls->setAccessibleName(QStringLiteral("Aufrufe"));

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(titled(QStringLiteral("Variablen"), m_variables, splitter));
    splitter->addWidget(titled(QStringLiteral("Aufrufe"), m_calls, splitter));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    ConnectCommand(&m_session, &DebugSession::FramesChanged, this, &TFDebugPanel::showFrames);
    ConnectCommand(&m_session, &DebugSession::ValuesChanged, this, &TFDebugPanel::showValues);
    ConnectCommand(&m_session, &DebugSession::ChildrenShown, this, &TFDebugPanel::showChildren);
    ConnectCommand(m_variables, &QTreeWidget::itemExpanded, this, &TFDebugPanel::expanded);
    ConnectCommand(m_calls, &QListWidget::currentRowChanged, this, &TFDebugPanel::chooseFrame);
}

void TFDebugPanel::showFrames() {
    const QSignalBlocker block(m_calls);
    m_calls->clear();
    m_calls->addItems(m_session.FrameTexts());
    if (m_calls->count() > 0)
        m_calls->setCurrentRow(m_session.SelectedFrame());
}

QTreeWidgetItem *TFDebugPanel::makeItem(const DebugValue &value) const {
    auto *item = new QTreeWidgetItem(
        QStringList{value.variable.name, value.variable.value, value.variable.type});
    if (value.changed) {
        QFont bold = m_variables->font();
        bold.setBold(true);
        for (int column = 0; column < 3; ++column)
            item->setFont(column, bold);
    }
    if (value.variable.objectId != 0) {
        item->setData(0, ObjectRole, value.variable.objectId);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    return item;
}

void TFDebugPanel::showValues() {
    m_variables->clear();
    QList<QTreeWidgetItem *> items;
    for (const DebugValue &value : m_session.Values())
        items << makeItem(value);
    m_variables->addTopLevelItems(items);
}

void TFDebugPanel::expanded(QTreeWidgetItem *item) {
    const qint64 objectId = item->data(0, ObjectRole).toLongLong();
    if (objectId == 0 || item->data(0, AskedRole).toBool())
        return;
    item->setData(0, AskedRole, true);
    m_session.Expand(objectId);
}

void TFDebugPanel::showChildren(qint64 objectId, const QList<DebugValue> &children) {
    // Every item of that object that asked and has nothing yet: one object may be shown
    // under two names.
    QList<QTreeWidgetItem *> waiting;
    for (QTreeWidgetItemIterator it(m_variables); *it; ++it)
        if ((*it)->data(0, ObjectRole).toLongLong() == objectId &&
            (*it)->data(0, AskedRole).toBool() && (*it)->childCount() == 0)
            waiting << *it;
    for (QTreeWidgetItem *item : std::as_const(waiting)) {
        QList<QTreeWidgetItem *> items;
        for (const DebugValue &child : children)
            items << makeItem(child);
        item->addChildren(items);
        if (items.isEmpty())
            item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    }
}

void TFDebugPanel::chooseFrame(int row) {
    if (row >= 0)
        m_session.SelectFrame(row);
}
