#include "TFAbout.h"

#include "common/CommandGuard.h"
#include "common/Desktop.h"
#include "common/ExecuteFile.h"
#include "common/Helpers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *linkLabel(const QString &href, const QString &text, QWidget *parent) {
    auto *label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text), parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

TFAbout::TFAbout(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("Produkt Info"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(6);

    auto *title = new QLabel(QStringLiteral("Quill – Java-Umgebung"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);

    auto *version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("LVersion"));
    version->setAlignment(Qt::AlignHCenter);
    layout->addWidget(version);
    layout->addSpacing(10);

    for (const QString &line : {QStringLiteral("Autor: das Quill-Team"),
                                QStringLiteral("Eine Entwicklungsumgebung für Java-Einsteiger")}) {
        auto *label = new QLabel(line, this);
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(10);

    m_web = linkLabel(WebAddress(), WebAddress(), this);
    m_web->setObjectName(QStringLiteral("LWeb"));
    layout->addWidget(m_web);
    m_mail = linkLabel(QStringLiteral("mailto:") + MailAddress(), MailAddress(), this);
    m_mail->setObjectName(QStringLiteral("LMail"));
    layout->addWidget(m_mail);
    ConnectCommand(m_web, &QLabel::linkActivated, this, &TFAbout::OpenAddress);
    ConnectCommand(m_mail, &QLabel::linkActivated, this, &TFAbout::OpenAddress);

    layout->addSpacing(12);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    ConnectCommand(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void TFAbout::OpenAddress(const QString &link) {
    const QUrl url(link);
    // A web or mail address is no file: the desktop's browser or mail program takes it,
    // with the same report as a file without an associated program.
    if (url.scheme().size() > 1 && !url.isLocalFile()) {
        Desktop *platform = desktop();
        if (!platform || !platform->OpenUrl(url))
            ShowErrorBox(QStringLiteral("Fehler"), ExecuteFileErrorText(31, link));
        return;
    }
    ExecuteFile(link, QString(), QString(), 1);
}
