#pragma once

#include "Desktop.h"
#include "UiProvider.h"

// The program's provider: Qt's own dialogs, owned by the active window. While it exists it
// also lends the helpers the desktop's beep and file opening (Desktop).
class QtUiProvider : public UiProvider, public Desktop {
public:
    QtUiProvider();
    ~QtUiProvider() override;

    void Beep() override;
    bool OpenUrl(const QUrl &url) override;

    MsgButton messageBox(MsgIcon icon, const QString &caption, const QString &text,
                         const QList<MsgButton> &buttons) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    QStringList openFiles(const FileDialogRequest &request) override;
    QString saveFile(const FileDialogRequest &request) override;
    std::optional<FontChoice> chooseFont(const QString &caption,
                                         const FontChoice &initial) override;
    std::optional<quint32> chooseColor(const QString &caption, quint32 initial) override;
    bool printDialog(QPrinter &printer) override;
    bool pageSetupDialog(QPrinter &printer) override;
};
