#pragma once

#include "RecordingOutput.h"

#include "common/Helpers.h"
#include "javarun/BuildHost.h"

#include <QList>
#include <QStringList>

#include <functional>

// A frame for the build commands: a recording panel, the "Mit Umleitung" choice, a main-file
// list of full names with the chosen index, and the windows a test names.
class FakeBuildHost : public BuildHost {
public:
    RunOutput &Output() override { return output; }
    bool MitUmleitung() const override { return umleitung; }
    QString ChosenMainFile() const override {
        return chosen >= 0 && chosen < mainFiles.size() ? mainFiles.at(chosen) : QString();
    }
    void ChooseMainFile(const QString &fileName) override {
        for (int i = 0; i < mainFiles.size(); ++i)
            if (!mainFiles.at(i).isEmpty() && SameFileName(mainFiles.at(i), fileName)) {
                chosen = i;
                return;
            }
    }
    WarmCompiler *ResidentCompiler() override { return warm; }
    RunningPrograms *Programs() override { return programs; }
    QList<std::shared_ptr<BuildTarget>> BuildTargets() override {
        return targets ? targets() : QList<std::shared_ptr<BuildTarget>>();
    }
    void CompileShown(const CompileResult &result) override {
        ++compilesShown;
        shownCompile = result;
    }

    RecordingOutput output;
    bool umleitung = true;
    QStringList mainFiles;
    int chosen = -1;
    WarmCompiler *warm = nullptr;
    RunningPrograms *programs = nullptr;
    std::function<QList<std::shared_ptr<BuildTarget>>()> targets;
    int compilesShown = 0;
    CompileResult shownCompile;
};
