#include "RecordingUi.h"

#include "common/QuillError.h"

RecordingUi::RecordingUi() {
    setUi(this);
}

RecordingUi::~RecordingUi() {
    setUi(nullptr);
}

QStringList RecordingUi::texts() const {
    QStringList result;
    for (const Box &box : boxes)
        result << box.text;
    return result;
}

void RecordingUi::clear() {
    boxes.clear();
    openRequests.clear();
    saveRequests.clear();
    inputPrompts.clear();
    colorInitials.clear();
    printRequests = 0;
    pageSetupRequests = 0;
}

void RecordingUi::failIfAsked(const QString &caption) {
    if (failOnCaption.isEmpty() || caption != failOnCaption)
        return;
    failOnCaption.clear();
    throw QuillError(FailureText());
}

MsgButton RecordingUi::messageBox(MsgIcon icon, const QString &caption, const QString &text,
                                  const QList<MsgButton> &buttons) {
    failIfAsked(caption);
    boxes.append({icon, caption, text, buttons});
    if (buttons.size() <= 1)
        return buttons.isEmpty() ? MsgButton::Ok : buttons.first();
    if (!boxAnswers.isEmpty())
        return boxAnswers.dequeue();
    return buttons.contains(MsgButton::Cancel) ? MsgButton::Cancel : buttons.last();
}

std::optional<QString> RecordingUi::inputText(const QString &caption, const QString &prompt,
                                              const QString &) {
    failIfAsked(caption);
    inputPrompts << prompt;
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.dequeue();
}

QStringList RecordingUi::openFiles(const FileDialogRequest &request) {
    openRequests << request;
    return openAnswers.isEmpty() ? QStringList() : openAnswers.dequeue();
}

QString RecordingUi::saveFile(const FileDialogRequest &request) {
    saveRequests << request;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

std::optional<FontChoice> RecordingUi::chooseFont(const QString &caption, const FontChoice &) {
    failIfAsked(caption);
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
}

std::optional<quint32> RecordingUi::chooseColor(const QString &caption, quint32 initial) {
    failIfAsked(caption);
    colorInitials << initial;
    return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.dequeue();
}

bool RecordingUi::printDialog(QPrinter &printer) {
    ++printRequests;
    return !printAnswers.isEmpty() && printAnswers.dequeue()(printer);
}

bool RecordingUi::pageSetupDialog(QPrinter &printer) {
    ++pageSetupRequests;
    return !pageSetupAnswers.isEmpty() && pageSetupAnswers.dequeue()(printer);
}
