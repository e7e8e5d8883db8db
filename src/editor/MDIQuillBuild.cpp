// The build commands of the editor window: the window and its frame as the build
// commands see them.

#include "MDIQuill.h"

#include "javarun/BuildCommands.h"
#include "common/DialogResult.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "editor/TextFile.h"
#include "EditorHost.h"

namespace {

// The status panel that shows the compile; it is free apart from after a file insert.
constexpr int BuildStatusPanel = 1;

class WindowBuildTarget : public BuildTarget {
public:
    explicit WindowBuildTarget(TFMDIQuill &window) : m_window(window) {}

    QString FileName() const override { return m_window.FileName(); }
    QString FileBase() const override { return m_window.FileBase(); }
    QString FileExt() const override { return m_window.FileExt(); }
    QString SourceEncoding() const override {
        // The byte order mark is left to the compiler.
        return m_window.FileFormat().encoding == TextEncoding::Windows1252
                   ? QStringLiteral("windows-1252")
                   : QStringLiteral("UTF-8");
    }
    QPlainTextEdit *ActiveMemo() const override { return m_window.ActiveMemo(); }
    bool WriteForBuild() override { return m_window.WriteForBuild(); }
    void ShowBuildStatus(const QString &text) override {
        if (!text.isEmpty())
            m_previousStatus = m_window.StatusPanel(BuildStatusPanel);
        m_window.SetStatusPanel(BuildStatusPanel, text.isEmpty() ? m_previousStatus : text);
    }
    QObject *LifetimeObject() override { return &m_window; }

private:
    TFMDIQuill &m_window;
    QString m_previousStatus;
};

BuildFrame FrameOf(EditorHost &host) {
    BuildFrame frame{
        host.Memo1(), host.cbMitUmleitung(), host.cbMainFile(), host.cbMainFile2(), {}};
    frame.windows = [&host] {
        QList<std::shared_ptr<BuildTarget>> targets;
        for (TFMDIQuill *window : host.EditorWindows())
            targets << std::make_shared<WindowBuildTarget>(*window);
        return targets;
    };
    return frame;
}

} // namespace

void TFMDIQuill::MnCompilerClick() {
    WindowBuildTarget target(*this);
    ::MnCompilerClick(target, FrameOf(m_host));
}

void TFMDIQuill::MnRunClick() {
    WindowBuildTarget target(*this);
    ::MnRunClick(target, FrameOf(m_host));
}

void TFMDIQuill::MnSetMainJavaClick() {
    WindowBuildTarget target(*this);
    ::MnSetMainJava(target, FrameOf(m_host));
}

void TFMDIQuill::MnBuildAllerDateienClick() {
    BuildAll(FrameOf(m_host));
}

void TFMDIQuill::MnProgrammEinstellungenClick() {
    // The compiler and run settings dialog comes with the settings dialogs.
    DialogResultText().clear();
}

bool TFMDIQuill::WriteForBuild() {
    TextFileFormat format = m_format;
    QString text = m_activeMemo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    QString error;
    if (!TextFile::Write(m_fileName, TextFile::Encode(text, format), error)) {
        ShowError(error);
        return false;
    }
    m_format = format;
    m_activeMemo->SetModified(false);
    return true;
}
