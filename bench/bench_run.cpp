// F9 on a hello-world program, from the command to "-- Fertig --" of the run, against
// javac and java started directly on the same file.

#include "QtBenchmarkMain.h"

#include "javarun/BuildCommands.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QByteArray HalloSource = "public class Hallo {\n"
                               "    public static void main(String[] args) {\n"
                               "        System.out.println(\"Hallo Welt\");\n"
                               "    }\n"
                               "}\n";

class Window : public BuildTarget {
public:
    explicit Window(const QString &fileName) : m_fileName(fileName) {}
    bool HasFile() const override { return true; }
    QString FileName() const override { return m_fileName; }
    QString FileBase() const override { return QStringLiteral("Hallo"); }
    QString FileExt() const override { return QStringLiteral(".java"); }
    QString SourceEncoding() const override { return QStringLiteral("UTF-8"); }
    QString SourceText() const override { return QString::fromUtf8(HalloSource); }
    bool Modified() const override { return false; }
    bool WriteForBuild() override { return true; }
    void ShowBuildStatus(const QString &) override {}
    QObject *LifetimeObject() override { return nullptr; }

private:
    QString m_fileName;
};

// The frame with its panel as plain text.
class Frame : public BuildHost, public RunOutput {
public:
    RunOutput &Output() override { return *this; }
    bool MitUmleitung() const override { return true; }
    QString ChosenMainFile() const override { return QString(); }
    void ChooseMainFile(const QString &) override {}
    QList<std::shared_ptr<BuildTarget>> BuildTargets() override { return {}; }
    void Clear() override { text.clear(); }
    void AppendLine(const QString &line) override {
        text = text.isEmpty() ? line : text + u'\n' + line;
    }
    void SetText(const QString &replacement) override { text = replacement; }
    void FocusStart() override {}
    QString text;
};

struct Fixture {
    QTemporaryDir dir;
    QString source;
    Fixture() {
        source = dir.filePath(QStringLiteral("Hallo.java"));
        QFile file(source);
        if (file.open(QIODevice::WriteOnly))
            file.write(HalloSource);
    }
};

void RunToEnd(const QString &program, const QStringList &arguments, const QString &dir) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir);
    process.start(program, arguments);
    process.waitForFinished(-1);
    benchmark::DoNotOptimize(process.readAll());
}

void BM_JavacThenJava(benchmark::State &state) {
    Fixture fixture;
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    for (auto _ : state) {
        RunToEnd(javac, {QStringLiteral("Hallo.java")}, fixture.dir.path());
        RunToEnd(java, {QStringLiteral("Hallo")}, fixture.dir.path());
    }
}

// The whole F9 command, including both 300 ms pauses (the second one comes after
// "-- Fertig --" is shown, so this is an upper bound of the time to see it).
void BM_F9(benchmark::State &state) {
    Fixture fixture;
    Settings::Compiler = QStandardPaths::findExecutable(QStringLiteral("javac"));
    Settings::Run = QStandardPaths::findExecutable(QStringLiteral("java"));
    Window window(fixture.source);
    Frame frame;
    for (auto _ : state) {
        MnRunClick(window, frame);
        if (!frame.text.endsWith(QStringLiteral("Hallo Welt\n-- Fertig --")))
            state.SkipWithError("no output");
    }
}

BENCHMARK(BM_JavacThenJava)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_F9)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
