// File commands of the editor window: initialise, open, update, save, save as, insert a
// file, save the selection, and the DOS/Windows conversion.
#include "MDIQuill.h"

#include "CodePages.h"
#include "colormemo/ColorMemo.h"
#include "common/Helpers.h"
#include "EditorHost.h"
#include "settings/Settings.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString kNoName = QStringLiteral("noname");

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

QByteArray TextDigest(const QString &text) {
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char *>(text.constData()),
                                                   text.size() * qsizetype(sizeof(QChar))),
                                    QCryptographicHash::Sha256);
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

void TFMDIQuill::SetFileNameFrom(const QString &name) {
    m_fileName = name;
    const SplitName parts = SplitFileName(name);
    m_fileDir = parts.dir;
    m_fileBase = parts.base;
    m_fileExt = parts.ext;
}

bool TFMDIQuill::InitDocument(const QString &name, const TNewFile &description) {
    // Call point of the template generator, which fills the active control from the
    // description (kind 0 generates nothing); it arrives with the code generation.

    setWindowTitle(name);
    SetFileNameFrom(name);
    bool loaded = true;
    if (!name.isEmpty() && QFileInfo::exists(name)) {
        loaded = Open(name);
    } else {
        m_fileName = kNoName;
        // A wizard document has no requested name: its class name gives the proposal.
        if (m_fileBase.isEmpty() && m_fileExt.isEmpty() && !description.ClassName.isEmpty()) {
            m_fileBase = description.ClassName;
            m_fileExt = QStringLiteral(".java");
        }
        setWindowTitle(m_fileBase + m_fileExt);
    }
    if (!loaded)
        return false;
    setzeAlteDateien();
    m_memoColor->setFocus();
    show();
    return true;
}

bool TFMDIQuill::LoadInto(TMemo *memo, const QString &name) {
    DecodedText content;
    QString error;
    if (!TextFile::Read(name, content, error)) {
        ShowError(error);
        return false;
    }
    memo->setPlainText(content.text);
    MoveCaretToStart(memo);
    memo->SetModified(false);
    m_format = content.format;
    m_fileBytes = content.original;
    m_fileTextDigest = TextDigest(DocumentText(memo));
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
    setWindowTitle(QFileInfo(m_fileName).fileName());
    SetStatusPanel(1, QString());
    return true;
}

void TFMDIQuill::MnUpdateClick() {
    // An unnamed document has no file to reload; a file that happens to be called "noname"
    // in the working directory is not it.
    if (m_fileName == kNoName) {
        ShowError(QStringLiteral("Die Datei kann nicht gelesen werden:\r\nnoname\r\n"
                                 "Das Dokument wurde noch nicht gespeichert."));
        return;
    }
    if (LoadInto(m_activeMemo, m_fileName))
        SetStatusPanel(1, QString());
}

TFMDIQuill::SaveResult TFMDIQuill::Save() {
    if (m_fileName.isEmpty() || m_fileName == kNoName || IsReadOnlyTarget(m_fileName)) {
        BringToFront();
        return SaveAs();
    }
    return WriteDocument() ? SaveResult::Saved : SaveResult::Failed;
}

TFMDIQuill::SaveResult TFMDIQuill::SaveAs() {
    for (;;) {
        m_saveDialog.title = QStringLiteral("Datei speichern unter");
        m_saveDialog.fileName = m_fileBase + m_fileExt;
        m_saveDialog.defaultSuffix = QStringLiteral("java");
        m_saveDialog.filters = m_saveFilter;
        m_saveDialog.selectedFilter = 0;
        m_saveDialog.directory = Settings::EditorPfad;
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
        SetFileNameFrom(target);
        setWindowTitle(QFileInfo(m_fileName).fileName());
        // A read-only choice cannot be written: ask again.
        if (IsReadOnlyTarget(m_fileName))
            continue;
        return WriteDocument() ? SaveResult::Saved : SaveResult::Failed;
    }
}

bool TFMDIQuill::WriteDocument() {
    TextFileFormat format = m_format;
    const QString text = DocumentText(m_activeMemo);
    const QByteArray digest = TextDigest(text);
    const QByteArray bytes =
        digest == m_fileTextDigest ? m_fileBytes : TextFile::Encode(text, format);
    QString backup;
    const auto makeBackup = [&] {
        if (!Settings::AutoSave || !QFileInfo::exists(m_fileName))
            return;
        if (QFileInfo(m_fileName).isSymLink()) {
            // The new text goes to the link's target: moving the link away would leave no
            // backup and no file of that name. Keep the link and copy what it points to.
            const QString copy = BackupFileName(m_fileName);
            if (QFileInfo(copy).exists() || QFileInfo(copy).isSymLink())
                DeleteFileForced(copy);
            QFile::copy(m_fileName, copy);
            return;
        }
        backup = BackupFileName(m_fileName);
        MakeBackupFile(m_fileName);
    };
    QString error;
    if (!TextFile::Write(m_fileName, bytes, error, makeBackup)) {
        // The old content went to the backup just before the rename failed: put it back.
        if (!backup.isEmpty() && !QFileInfo::exists(m_fileName) && QFileInfo::exists(backup))
            QFile::rename(backup, m_fileName);
        ShowError(error);
        return false;
    }
    m_format = format;
    m_fileBytes = bytes;
    m_fileTextDigest = digest;
    m_activeMemo->SetModified(false);
    SetStatusPanel(1, QString());
    emit documentSaved();
    return true;
}

bool TFMDIQuill::IsOpenInOtherWindow(const QString &fileName) const {
    const QList<TFMDIQuill *> windows = m_host.EditorWindows();
    for (const TFMDIQuill *window : windows)
        if (window != this && window->FileName() != kNoName &&
            SameFileName(window->FileName(), fileName))
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
    request.directory = Settings::EditorPfad;
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
    m_activeMemo->SetMaxLength(int(FileSize(name) + FileSize(m_fileName) + 40000));
    QTextCursor cursor = m_activeMemo->textCursor();
    cursor.insertText(content.text);
    m_activeMemo->setTextCursor(cursor);
    SetStatusPanel(1, QStringLiteral("geändert"));
    m_activeMemo->SetModified(true);
}

void TFMDIQuill::MnBlockalsDateiSichernClick() {
    m_saveDialog.title = QStringLiteral("Block speichern unter");
    m_saveDialog.fileName.clear();
    const QString chosen = ui().saveFile(m_saveDialog);
    if (chosen.isEmpty())
        return;
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
