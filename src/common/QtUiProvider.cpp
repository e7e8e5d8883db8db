#include "QtUiProvider.h"

#include "Desktop.h"

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QWidget *owner() {
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

QMessageBox::StandardButton toQt(MsgButton b) {
    switch (b) {
    case MsgButton::Ok:
        return QMessageBox::Ok;
    case MsgButton::Yes:
        return QMessageBox::Yes;
    case MsgButton::No:
        return QMessageBox::No;
    case MsgButton::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QStringList filterTexts(const QList<FileFilter> &filters) {
    QStringList result;
    for (const FileFilter &f : filters) {
        // Qt shows the patterns itself; keep the description as given.
        result << QStringLiteral("%1 (%2)").arg(f.first, f.second);
    }
    return result;
}

void prepare(QFileDialog &dialog, const FileDialogRequest &request) {
    dialog.setWindowTitle(request.title);
    dialog.setDirectory(request.directory);
    // The descriptions name their patterns already.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = filterTexts(request.filters);
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < filters.size())
        dialog.selectNameFilter(filters.at(request.selectedFilter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A mask ("*.java") stands in the name field as well, where typing over it is easy.
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

QColor fromBgr(quint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

quint32 toBgr(const QColor &c) {
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

} // namespace

QtUiProvider::QtUiProvider() {
    setDesktop(this);
}

QtUiProvider::~QtUiProvider() {
    if (desktop() == this)
        setDesktop(nullptr);
}

void QtUiProvider::Beep() {
    QApplication::beep();
}

bool QtUiProvider::OpenUrl(const QUrl &url) {
    return QDesktopServices::openUrl(url);
}

MsgButton QtUiProvider::messageBox(MsgIcon icon, const QString &caption, const QString &text,
                                   const QList<MsgButton> &buttons) {
    QMessageBox box(toQt(icon), caption, QString(text).replace(QStringLiteral("\r\n"), "\n"),
                    QMessageBox::NoButton, owner());
    for (MsgButton b : buttons)
        box.addButton(toQt(b));
    if (buttons.isEmpty())
        box.addButton(QMessageBox::Ok);
    const int result = box.exec();
    for (MsgButton b : buttons) {
        if (result == toQt(b))
            return b;
    }
    if (buttons.contains(MsgButton::Cancel))
        return MsgButton::Cancel;
    return buttons.isEmpty() ? MsgButton::Ok : buttons.last();
}

std::optional<QString> QtUiProvider::inputText(const QString &caption, const QString &prompt,
                                               const QString &defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList QtUiProvider::openFiles(const FileDialogRequest &request) {
    QFileDialog dialog(owner());
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtUiProvider::saveFile(const FileDialogRequest &request) {
    QFileDialog dialog(owner());
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program's own save asks nothing before overwriting.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<FontChoice> QtUiProvider::chooseFont(const QString &caption,
                                                   const FontChoice &initial) {
    QFont font(initial.name, initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikeOut);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, owner(), caption);
    if (!ok)
        return std::nullopt;
    FontChoice result;
    result.name = chosen.family();
    result.size = chosen.pointSize() > 0 ? chosen.pointSize() : initial.size;
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikeOut = chosen.strikeOut();
    result.color = initial.color;
    return result;
}

std::optional<quint32> QtUiProvider::chooseColor(const QString &caption, quint32 initial) {
    const QColor chosen = QColorDialog::getColor(fromBgr(initial), owner(), caption);
    if (!chosen.isValid())
        return std::nullopt;
    return toBgr(chosen);
}

bool QtUiProvider::printDialog(QPrinter &printer) {
    QPrintDialog dialog(&printer, owner());
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
}

bool QtUiProvider::pageSetupDialog(QPrinter &printer) {
    QPageSetupDialog dialog(&printer, owner());
    dialog.setWindowTitle(QStringLiteral("Drucker-Setup"));
    return dialog.exec() == QDialog::Accepted;
}
