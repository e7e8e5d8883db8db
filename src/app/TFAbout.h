#pragma once

#include <QDialog>

class QLabel;

// The about box "Produkt Info": version, author, and a web and an e-mail address that
// open through the desktop when clicked.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

    static QString VersionText() {
        return QStringLiteral("Version 2.3.0, 27. Mai 2011, Build 106");
    }
    static QString WebAddress() { return QStringLiteral("https://quill.example.org"); }
    static QString MailAddress() { return QStringLiteral("autor@quill.example.org"); }

    QLabel *LWeb() const { return m_web; }
    QLabel *LMail() const { return m_mail; }

    // Hands the address to the desktop (the e-mail address as a "mailto:" link); a
    // failure shows the box of ExecuteFile.
    void OpenAddress(const QString &link);

private:
    QLabel *m_web = nullptr;
    QLabel *m_mail = nullptr;
};
