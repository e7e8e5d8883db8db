#pragma once

#include "common/UiProvider.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

// A UiProvider for tests: records every box and dialog request and answers from scripts.
// An unscripted question is answered as cancelled, so no test ever blocks on a dialog.
class RecordingUi : public UiProvider {
public:
    struct Box {
        MsgIcon icon;
        QString caption;
        QString text;
        QList<MsgButton> buttons;
    };

    // Installs itself as the provider; the destructor restores the cancelling default.
    RecordingUi();
    ~RecordingUi() override;

    QList<Box> boxes;                      // every message box shown, in order
    QList<FileDialogRequest> openRequests; // every open dialog
    QList<FileDialogRequest> saveRequests; // every save dialog
    QStringList inputPrompts;              // every input box prompt
    QList<quint32> colorInitials;          // the colour every colour dialog opened with

    QQueue<MsgButton> boxAnswers; // answers for boxes with several buttons
    QQueue<std::optional<QString>> inputAnswers;
    QQueue<QStringList> openAnswers;
    QQueue<QString> saveAnswers;
    QQueue<std::optional<FontChoice>> fontAnswers;
    QQueue<std::optional<quint32>> colorAnswers;
    // Print and page set-up dialogs: how many were shown, and answers that set up the printer
    // and return whether the dialog was confirmed (none scripted: cancelled).
    int printRequests = 0;
    int pageSetupRequests = 0;
    QQueue<std::function<bool(QPrinter &)>> printAnswers;
    QQueue<std::function<bool(QPrinter &)>> pageSetupAnswers;

    // A box or a font, colour or input dialog with this caption throws a QuillError with
    // the text FailureText instead of showing, once (the field is cleared), as an error that
    // ends a command would. Empty: nothing fails.
    QString failOnCaption;
    static QString FailureText() { return QStringLiteral("Absichtlicher Fehler im Test"); }

    // The texts of all boxes, for compact assertions.
    QStringList texts() const;
    void clear();

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

private:
    void failIfAsked(const QString &caption);
};
