#pragma once

#include "javarun/BuildTarget.h"
#include "javarun/CompileResult.h"
#include "javarun/RunOutput.h"

#include <QList>
#include <QString>

#include <memory>

class RunningPrograms;
class WarmCompiler;

// What the build commands need of the main frame: the error panel, the "Mit Umleitung"
// choice, the main-file choice, the editor windows and the running programs. The frame's
// Workspace implements it; tests use a fake.
class BuildHost {
public:
    virtual ~BuildHost() = default;

    virtual RunOutput &Output() = 0;
    // Whether "Mit Umleitung" is checked.
    virtual bool MitUmleitung() const = 0;
    // Full name of the file chosen as the main file, "" when none (or an unnamed one) is.
    virtual QString ChosenMainFile() const = 0;
    // Chooses the entry of the window whose file is fileName, when there is one.
    virtual void ChooseMainFile(const QString &fileName) = 0;
    // The editor windows in the order they were opened, asked afresh when needed.
    virtual QList<std::shared_ptr<BuildTarget>> BuildTargets() = 0;
    // The resident compiler that makes compiles quick, or nullptr: then every compile
    // starts the compiler process.
    virtual WarmCompiler *ResidentCompiler() { return nullptr; }
    // Where programs still running after F9 are kept for "Programm beenden", or nullptr.
    virtual RunningPrograms *Programs() { return nullptr; }
    // The error panel shows this compile's result now; the jump from a message to its place
    // uses its diagnostics while the panel still shows them.
    virtual void CompileShown(const CompileResult &) {}

    // Whether a compile or run is in progress: its waiting keeps the window responsive, so
    // another build command could otherwise start inside it.
    bool BuildBusy() const { return m_busy; }

private:
    friend class BuildBusyGuard;
    bool m_busy = false;
};

// Marks the host busy for its lifetime.
class BuildBusyGuard {
public:
    explicit BuildBusyGuard(BuildHost &host) : m_host(host) { m_host.m_busy = true; }
    ~BuildBusyGuard() { m_host.m_busy = false; }
    BuildBusyGuard(const BuildBusyGuard &) = delete;
    BuildBusyGuard &operator=(const BuildBusyGuard &) = delete;

private:
    BuildHost &m_host;
};
