// F9 on a hello-world program, from the command to "-- Fertig --" of the run, against
// javac and java started directly on the same file.

#include "QtBenchmarkMain.h"

#include "javarun/BuildCommands.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
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
    QString FileName() const override { return m_fileName; }
    QString FileBase() const override { return QStringLiteral("Hallo"); }
    QString FileExt() const override { return QStringLiteral(".java"); }
    QString SourceEncoding() const override { return QStringLiteral("UTF-8"); }
    QPlainTextEdit *ActiveMemo() const override { return &m_memo; }
    bool WriteForBuild() override { return true; }
    void ShowBuildStatus(const QString &) override {}
    QObject *LifetimeObject() override { return nullptr; }

private:
    QString m_fileName;
    mutable QPlainTextEdit m_memo{QString::fromUtf8(HalloSource)};
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
    QPlainTextEdit panel;
    QCheckBox umleitung;
    umleitung.setChecked(true);
    QComboBox mainFile, mainFile2;
    const BuildFrame frame{&panel, &umleitung, &mainFile, &mainFile2, {}};
    for (auto _ : state) {
        MnRunClick(window, frame);
        if (!panel.toPlainText().endsWith(QStringLiteral("Hallo Welt\n-- Fertig --")))
            state.SkipWithError("no output");
    }
}

BENCHMARK(BM_JavacThenJava)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_F9)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
