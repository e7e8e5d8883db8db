// File commands of the editor window: initialise, open, update, save, save as, insert a
// file, save the selection, and the DOS/Windows conversion.
#include "MDIQuill.h"

#include "CodePages.h"
#include "colormemo/ColorMemo.h"
#include "common/DialogStartFolder.h"
#include "common/FileHelpers.h"
#include "common/Helpers.h"
#include "EditorHost.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The text of a control with '\n' between lines, exactly as held: unlike toPlainText it keeps
// non-breaking spaces, so an unedited file is written back unchanged.
QString DocumentText(const QPlainTextEdit *memo) {
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

// Size of a regular file, -1 when there is none. Unlike the wildcard-capable helper it counts
// hidden files too, since their text is loaded all the same.
qint64 FileSize(const QString &name) {
    const QFileInfo info(name);
    return info.isFile() ? info.size() : -1;
}

void MoveCaretToStart(QPlainTextEdit *memo) {
    QTextCursor cursor = memo->textCursor();
    cursor.movePosition(QTextCursor::Start);
    memo->setTextCursor(cursor);
}

} // namespace

void TFMDIQuill::ShowError(const QString &text) {
    ui().messageBox(MsgIcon::Error, QStringLiteral("Fehler"), text, {MsgButton::Ok});
}

bool TFMDIQuill::InitDocument(const QString &name, const TNewFile &description) {
    FillFromTemplate(description);
    setWindowTitle(name);
    m_doc.setRequestedName(name);
    bool loaded = true;
    if (!name.isEmpty() && QFileInfo::exists(name)) {
        loaded = Open(name);
    } else {
        // A wizard document has no requested name: its class name gives the proposal.
        if (FileBase().isEmpty() && FileExt().isEmpty() && !description.ClassName.isEmpty())
            m_doc.proposeName(description.ClassName, QStringLiteral(".java"));
        setWindowTitle(FileBase() + FileExt());
    }
    if (!loaded)
        return false;
    ConfigureUndoTimer();
    setzeAlteDateien();
    m_memoColor->setFocus();
    show();
    return true;
}

bool TFMDIQuill::LoadInto(TMemo *memo, const QString &name) {
    QString text;
    QString error;
    if (!m_doc.read(name, text, error)) {
        ShowError(error);
        return false;
    }
    memo->setPlainText(text);
    m_doc.setLoadedText(DocumentText(memo));
    MoveCaretToStart(memo);
    memo->SetModified(false);
    // A class file or an image opens as text all the same; the learner should know that.
    if (m_doc.readNotText())
        ShowWarningBox(QStringLiteral("Hinweis"), TextFile::NotTextNotice(FileName()));
    return true;
}

bool TFMDIQuill::Open(const QString &name) {
    const QString error = TextFile::CheckReadable(name);
    if (!error.isEmpty()) {
        ShowError(error);
        return false;
    }
    const qint64 size = FileSize(name);
    const int previousMax = m_activeMemo->MaxLength();
    m_activeMemo->SetMaxLength(int(size + 40000));
    if (!LoadInto(m_activeMemo, name)) {
        m_activeMemo->SetMaxLength(previousMax);
        return false;
    }
    setWindowTitle(QFileInfo(FileName()).fileName());
    SetStatusPanel(1, QString());
    return true;
}

void TFMDIQuill::MnUpdateClick() {
    // An unnamed document has no file to reload; a file that happens to carry the no-name text
    // in the working directory is not it.
    if (!m_doc.hasFile()) {
        ShowError(QStringLiteral("Die Datei kann nicht gelesen werden:\r\n%1\r\n"
                                 "Das Dokument wurde noch nicht gespeichert.")
                      .arg(EditorDocument::NoName()));
        return;
    }
    if (LoadInto(m_activeMemo, FileName()))
        SetStatusPanel(1, QString());
}

TFMDIQuill::SaveResult TFMDIQuill::Save() {
    if (!m_doc.hasFile() || IsReadOnlyTarget(FileName())) {
        BringToFront();
        return SaveAs();
    }
    return WriteDocument() ? SaveResult::Saved : SaveResult::Failed;
}

TFMDIQuill::SaveResult TFMDIQuill::SaveAs() {
    for (;;) {
        m_saveDialog.title = QStringLiteral("Datei speichern unter");
        m_saveDialog.fileName = FileBase() + FileExt();
        m_saveDialog.defaultSuffix = QStringLiteral("java");
        m_saveDialog.filters = m_saveFilter;
        m_saveDialog.selectedFilter = 0;
        m_saveDialog.directory = SaveDialogStart();
        const QString chosen = ui().saveFile(m_saveDialog);
        if (chosen.isEmpty())
            return SaveResult::Cancelled;
        const QString target = QFileInfo(chosen).absoluteFilePath();
        // Two windows on one file would overwrite each other's text: ask for another name.
        if (IsOpenInOtherWindow(target)) {
            ShowWarningBox(QStringLiteral("Hinweis"),
                           QStringLiteral("Datei ist schon geladen\r\n") + target);
            continue;
        }
        const QString previous = FileName();
        m_doc.setFile(target);
        setWindowTitle(QFileInfo(FileName()).fileName());
        if (previous != FileName())
            m_host.EditorRenamed(this, previous);
        // A read-only choice cannot be written: ask again.
        if (IsReadOnlyTarget(FileName()))
            continue;
        return WriteDocument() ? SaveResult::Saved : SaveResult::Failed;
    }
}

QString TFMDIQuill::SaveDialogStart() const {
    // The document's own folder; for a new one where the learner works: the file of the
    // window used last, then the last folder of the open dialog.
    return DialogStartFolder({FileDir(), m_host.LastWindowFolder(this), Settings::EditorPfad});
}

bool TFMDIQuill::WriteDocument() {
    QString error;
    if (!m_doc.write(DocumentText(m_activeMemo), Settings::AutoSave, error)) {
        ShowError(error);
        return false;
    }
    m_activeMemo->SetModified(false);
    SetStatusPanel(1, QString());
    emit documentSaved();
    return true;
}

bool TFMDIQuill::IsOpenInOtherWindow(const QString &fileName) const {
    const QList<TFMDIQuill *> windows = m_host.EditorWindows();
    for (const TFMDIQuill *window : windows)
        if (window != this && window->Document().holdsFile(fileName))
            return true;
    return false;
}

bool TFMDIQuill::IsReadOnlyTarget(const QString &fileName) const {
    return IsReadOnlyFile(fileName);
}

void TFMDIQuill::MnSpeichernClick() {
    Save();
}

void TFMDIQuill::MnSpeichernUnterClick() {
    SaveAs();
}

void TFMDIQuill::MnInsertFileClick() {
    FileDialogRequest request;
    request.title = QStringLiteral("Datei in das aktuelle Fenster einfügen");
    request.fileName = QStringLiteral("*.DAT");
    request.filters = {{QStringLiteral("Text-Dateien *.DAT"), QStringLiteral("*.DAT")},
                       {QStringLiteral("Text-Dateien *.TXT"), QStringLiteral("*.TXT")},
                       {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")}};
    request.directory =
        DialogStartFolder({Settings::EditorPfad, FileDir(), m_host.LastWindowFolder(nullptr)});
    const QStringList chosen = ui().openFiles(request);
    if (chosen.isEmpty())
        return;
    const QString name = chosen.first();
    DecodedText content;
    QString error;
    if (!TextFile::Read(name, content, error)) {
        ShowError(error);
        return;
    }
    // The file's text also goes to the clipboard, where it stays. It is inserted directly,
    // though: the clipboard's plain text turns non-breaking spaces into blanks.
    QPlainTextEdit *buffer = m_host.MainMemo();
    buffer->setPlainText(content.text);
    buffer->selectAll();
    buffer->copy();
    m_activeMemo->SetMaxLength(int(FileSize(name) + m_doc.fileSize() + 40000));
    QTextCursor cursor = m_activeMemo->textCursor();
    cursor.insertText(content.text);
    m_activeMemo->setTextCursor(cursor);
    SetStatusPanel(1, QStringLiteral("geändert"));
    m_activeMemo->SetModified(true);
}

void TFMDIQuill::MnBlockalsDateiSichernClick() {
    m_saveDialog.title = QStringLiteral("Block speichern unter");
    m_saveDialog.fileName.clear();
    // Before the first save as the dialog has no folder yet; it must not start at none.
    if (m_saveDialog.directory.isEmpty())
        m_saveDialog.directory = SaveDialogStart();
    const QString chosen = ui().saveFile(m_saveDialog);
    if (chosen.isEmpty())
        return;
    // The block would silently replace the file of an open document, this one included.
    const QString target = QFileInfo(chosen).absoluteFilePath();
    if (m_doc.holdsFile(target) || IsOpenInOtherWindow(target)) {
        ShowWarningBox(QStringLiteral("Hinweis"),
                       QStringLiteral("Datei ist schon geladen\r\n") + target);
        return;
    }
    m_activeMemo->CopyToClipboard();
    QString block;
    const QTextCursor selection = m_activeMemo->textCursor();
    if (selection.hasSelection()) {
        // Taken from the control itself, exactly; the copy above leaves it on the clipboard.
        block = selection.selectedText();
        block.replace(QChar::ParagraphSeparator, u'\n');
    } else {
        // Without a selection the file receives the clipboard's current text.
        QPlainTextEdit *buffer = m_host.MainMemo();
        buffer->clear();
        buffer->paste();
        block = DocumentText(buffer);
    }
    TextFileFormat format = TextFile::DefaultFormat();
    QString error;
    if (!TextFile::Write(chosen, TextFile::Encode(block, format), error))
        ShowError(error);
}

void TFMDIQuill::ConvertText(QString (*convert)(const QString &)) {
    const QString text = DocumentText(m_activeMemo);
    if (text.isEmpty())
        return;
    const QString converted = convert(text);
    if (converted == text)
        return;
    // Replaced as an edit, so the document counts as changed and the step can be undone.
    QTextCursor cursor(m_activeMemo->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(converted);
    MoveCaretToStart(m_activeMemo);
}

void TFMDIQuill::MnKonverttextvonDOSnachWindowsClick() {
    ConvertText(&CodePages::DosToWindows);
}

void TFMDIQuill::MnKonverttextvonWindowsnachDOSClick() {
    ConvertText(&CodePages::WindowsToDos);
}
