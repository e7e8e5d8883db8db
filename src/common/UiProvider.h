#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;

// Every message box, input box and file/font/colour dialog of the program goes through
// the UiProvider installed here, so tests can answer dialogs and record boxes.

enum class MsgIcon { Warning, Error, Question, Information };
enum class MsgButton { Ok, Yes, No, Cancel };

// A file dialog filter entry: description and pattern ("Java-Dateien (*.Java)", "*.Java").
using FileFilter = QPair<QString, QString>;

struct FileDialogRequest {
    QString title;
    QString directory;         // start directory
    QString fileName;          // proposed name or mask in the name field
    QList<FileFilter> filters; // in display order
    int selectedFilter = 0;    // index into filters
    QString defaultSuffix;     // without dot, e.g. "java"
    bool multiple = false;     // open dialog: several files may be chosen
};

// A font as the font dialogs return it: name, size in points, style, colour 0x00BBGGRR.
struct FontChoice {
    QString name;
    int size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint32 color = 0;
    bool operator==(const FontChoice &) const = default;
};

class UiProvider {
public:
    virtual ~UiProvider() = default;

    // Shows a modal box with the given icon and buttons; returns the button pressed.
    // Closing the box without a button counts as Cancel when offered, else as the last button.
    virtual MsgButton messageBox(MsgIcon icon, const QString &caption, const QString &text,
                                 const QList<MsgButton> &buttons) = 0;
    // One-line input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                             const QString &defaultText) = 0;
    // Open dialog; the chosen files in the order chosen, empty when cancelled.
    virtual QStringList openFiles(const FileDialogRequest &request) = 0;
    // Save dialog; the chosen name, empty when cancelled.
    virtual QString saveFile(const FileDialogRequest &request) = 0;
    virtual std::optional<FontChoice> chooseFont(const QString &caption,
                                                 const FontChoice &initial) = 0;
    // Colours are 0x00BBGGRR values.
    virtual std::optional<quint32> chooseColor(const QString &caption, quint32 initial) = 0;
    // The print dialog on a printer (a device or a PDF file); true when the user chose to
    // print, the printer then carrying the choices. The default answers as cancelled.
    virtual bool printDialog(QPrinter &printer);
    // The page set-up dialog (paper, orientation) on a printer; false when cancelled, which
    // leaves the printer as it was. The default answers as cancelled.
    virtual bool pageSetupDialog(QPrinter &printer);
};

// The provider in use. Without an installed one, a provider that answers every dialog as
// cancelled is used (the program installs the Qt one at start; tests install a recorder).
UiProvider &ui();
// Installs a provider (not owned); nullptr goes back to the cancelling default.
void setUi(UiProvider *provider);
