// The snippet commands of "&Einfügen" and the starting program of a new window.

#include "MDIQuill.h"

#include "codegen/JavaSource.h"
#include "codegen/Snippets.h"
#include "codegen/TextEditSnippetTarget.h"
#include "codegen/TFNewDataTyp.h"
#include "common/Helpers.h"
#include "common/Memo.h"
#include "settings/Settings.h"

#include <QTextCursor>

void TFMDIQuill::FillFromTemplate(const TNewFile &description) {
    const TJavaSource source =
        GenerateJavaSource(description, m_memoCascadeTile->toPlainText().split(u'\n'));
    for (const QString &notice : source.Notices)
        ShowWarningBox(QStringLiteral("Fehler"), notice);
    if (!source.Replace)
        return;
    // Hidden while it is filled, so a long program is not laid out line by line on screen.
    const bool hidden = m_activeMemo->isHidden();
    m_activeMemo->hide();
    m_activeMemo->setPlainText(source.Lines.isEmpty() ? QString()
                                                      : source.Lines.join(u'\n') + u'\n');
    m_activeMemo->SetModified(!source.Lines.isEmpty());
    QTextCursor cursor = m_activeMemo->textCursor();
    cursor.movePosition(source.CaretAtStart ? QTextCursor::Start : QTextCursor::End);
    m_activeMemo->setTextCursor(cursor);
    m_activeMemo->setHidden(hidden);
}

void TFMDIQuill::InsertSnippet(int snippet) {
    TextEditSnippetTarget target(m_activeMemo);
    InsertCaretSnippet(target, static_cast<CaretSnippet>(snippet));
}

void TFMDIQuill::MnInsertSysoClick() {
    InsertSnippet(int(CaretSnippet::Syso));
}
void TFMDIQuill::MnInsertsetDefaultCloseOperationClick() {
    InsertSnippet(int(CaretSnippet::SetDefaultCloseOperation));
}
void TFMDIQuill::MnIfBedingungMitElseClick() {
    InsertSnippet(int(CaretSnippet::IfElse));
}
void TFMDIQuill::MnWhileSchleifeClick() {
    InsertSnippet(int(CaretSnippet::WhileLoop));
}
void TFMDIQuill::MnDoWhileClick() {
    InsertSnippet(int(CaretSnippet::DoWhileLoop));
}
void TFMDIQuill::MnInsertGridBagLayoutClick() {
    InsertSnippet(int(CaretSnippet::GridBagConstraint));
}
void TFMDIQuill::MnInsertActionListenermiteinemSchalterClick() {
    InsertSnippet(int(CaretSnippet::ButtonListener));
}
void TFMDIQuill::MnInsertFrameListernerClick() {
    InsertSnippet(int(CaretSnippet::WindowListener));
}
void TFMDIQuill::MnInsertMouseListenerClick() {
    InsertSnippet(int(CaretSnippet::MouseListener));
}
void TFMDIQuill::MnInsertFoucsListenerClick() {
    InsertSnippet(int(CaretSnippet::FocusListener));
}

void TFMDIQuill::MnInsertKlasseClick() {
    TextEditSnippetTarget target(m_activeMemo);
    InsertClassSkeleton(target);
}

void TFMDIQuill::MnInsertAttribSetGetClick() {
    const std::optional<NewDataTypChoice> attribute = AskNewDataTyp(this);
    if (!attribute)
        return;
    TextEditSnippetTarget target(m_activeMemo);
    InsertAttribSetGet(target, *attribute, Settings::ParameterValue);
}
