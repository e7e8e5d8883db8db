#pragma once

#include "ValueChanges.h"

#include <QList>
#include <QWidget>

class DebugSession;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The panel beside the error panel while debugging: the tree "Variablen" (Name, Wert, Typ)
// of the selected frame, objects and arrays filled when expanded and changed values bold,
// and the call stack "Aufrufe", where choosing an entry shows that frame. It shows what the
// session tells and hands the learner's choices back to it.
class TFDebugPanel : public QWidget {
    Q_OBJECT
public:
    explicit TFDebugPanel(DebugSession &session, QWidget *parent = nullptr);

    QTreeWidget *Variablen() const { return m_variables; }
    QListWidget *Aufrufe() const { return m_calls; }

private:
    void showFrames();
    void showValues();
    void showChildren(qint64 objectId, const QList<DebugValue> &children);
    void expanded(QTreeWidgetItem *item);
    void chooseFrame(int row);
    QTreeWidgetItem *makeItem(const DebugValue &value) const;

    DebugSession &m_session;
    QTreeWidget *m_variables = nullptr;
    QListWidget *m_calls = nullptr;
};
