#include "WindowDocument.h"

#include "editor/MDIQuill.h"
#include "editor/WindowBuildTarget.h"

QObject *WindowDocument::Window() const {
    return &m_window;
}
bool WindowDocument::HasFile() const {
    return m_window.Document().hasFile();
}
QString WindowDocument::FileName() const {
    return m_window.FileName();
}
QString WindowDocument::FileDir() const {
    return m_window.FileDir();
}
bool WindowDocument::HoldsFile(const QString &name) const {
    return m_window.Document().holdsFile(name);
}
std::shared_ptr<BuildTarget> WindowDocument::Target() {
    return std::make_shared<WindowBuildTarget>(m_window);
}
