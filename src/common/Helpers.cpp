#include "Helpers.h"

#include "Desktop.h"
#include "UiProvider.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

void ShowWarningBox(const QString &caption, const QString &text) {
    ui().messageBox(MsgIcon::Warning, caption, text, {MsgButton::Ok});
}

void ShowErrorBox(const QString &caption, const QString &text) {
    ui().messageBox(MsgIcon::Error, caption, text, {MsgButton::Ok});
}

QString InputText(const QString &prompt, const QString &caption, const QString &defaultText) {
    return ui().inputText(caption, prompt, defaultText).value_or(QString());
}

QString TrimBlanksAndControls(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

QString UpperCaseChars(const QString &text) {
    QString result = text;
    for (QChar &c : result)
        c = upperChar(c);
    return result;
}

bool TryStrToInt32(const QString &text, int &value) {
    const QString trimmed = TrimBlanksAndControls(text);
    if (trimmed.isEmpty())
        return false;
    // Decimal numbers only: no hexadecimal, no "inf" or "nan", no group separators.
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    bool ok = false;
    const double d = number.match(trimmed).hasMatch() ? trimmed.toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(d) || d <= -2147483648.0 || d > 2147483647.0) {
        value = 0;
        return false;
    }
    value = int(std::trunc(d));
    return true;
}

void BeepTimes(int count) {
    Desktop *platform = desktop();
    for (int i = 0; platform && i < count; ++i)
        platform->Beep();
}

QString GetComSpec() {
#ifdef Q_OS_WIN
    return qEnvironmentVariable("COMSPEC");
#else
    return qEnvironmentVariable("SHELL");
#endif
}

bool SameFileName(const QString &a, const QString &b) {
    const QString left = QDir::cleanPath(QFileInfo(a).absoluteFilePath());
    const QString right = QDir::cleanPath(QFileInfo(b).absoluteFilePath());
#ifdef Q_OS_WIN
    if (left.compare(right, Qt::CaseInsensitive) == 0)
        return true;
#else
    if (left == right)
        return true;
#endif
        // Two names of one existing file: a symbolic link, a hard link, a linked folder.
#ifdef Q_OS_UNIX
    struct stat leftStat {};
    struct stat rightStat {};
    if (::stat(QFile::encodeName(left).constData(), &leftStat) == 0 &&
        ::stat(QFile::encodeName(right).constData(), &rightStat) == 0)
        return leftStat.st_dev == rightStat.st_dev && leftStat.st_ino == rightStat.st_ino;
    return false;
#else
    const QString leftTarget = QFileInfo(left).canonicalFilePath();
    return !leftTarget.isEmpty() &&
           leftTarget.compare(QFileInfo(right).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}
