#include "UiProvider.h"

namespace {

class CancellingUi final : public UiProvider {
public:
    MsgButton messageBox(MsgIcon, const QString &, const QString &,
                         const QList<MsgButton> &buttons) override {
        if (buttons.contains(MsgButton::Cancel))
            return MsgButton::Cancel;
        return buttons.isEmpty() ? MsgButton::Ok : buttons.last();
    }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    QStringList openFiles(const FileDialogRequest &) override { return {}; }
    QString saveFile(const FileDialogRequest &) override { return {}; }
    std::optional<FontChoice> chooseFont(const QString &, const FontChoice &) override {
        return std::nullopt;
    }
    std::optional<quint32> chooseColor(const QString &, quint32) override { return std::nullopt; }
};

CancellingUi g_cancelling;
UiProvider *g_provider = nullptr;

} // namespace

bool UiProvider::printDialog(QPrinter &) {
    return false;
}

bool UiProvider::pageSetupDialog(QPrinter &) {
    return false;
}

UiProvider &ui() { return g_provider ? *g_provider : g_cancelling; }

void setUi(UiProvider *provider) { g_provider = provider; }
