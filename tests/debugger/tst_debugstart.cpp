// "Debuggen starten" with the real JDK, up to the program started with the debugging agent:
// the class file carries the local variables ("-g", through the compiler process and the
// resident compiler), the runtime gets the agent option with the engine's port, the program
// connects to that port, and no JVM is left over. A wrapper around the real runtime writes
// down its arguments and its process id.
#include "../javarun/JavaFixture.h"
#include "FakeDebugEngine.h"
#include "FakeDebugHost.h"
#include "RecordingUi.h"
#include "SavedFileTarget.h"
#include "TestEnv.h"

#include "debugger/DebugAgent.h"
#include "debugger/DebugSession.h"
#include "javarun/BuildTarget.h"
#include "javarun/WarmCompiler.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QtTest>

#include <csignal>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray Hallo = "public class Hallo {\n"
                         "    public static void main(String[] args) {\n"
                         "        int zahl = 41;\n"
                         "        zahl = zahl + 1;\n"
                         "        System.out.println(zahl);\n"
                         "    }\n"
                         "}\n";

bool alive(qint64 pid) {
    return pid > 0 && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

// What javap says of the class's methods: its line and local variable tables.
QString javapLines(const QString &classFile) {
    const QString javap = QFileInfo(QFileInfo(JavaFixture::Javac()).canonicalFilePath())
                              .absoluteDir()
                              .filePath(QStringLiteral("javap"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(javap, {QStringLiteral("-l"), classFile});
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAll());
}

// The engine's end of the program's connection on the loopback address: counts the
// connections and closes each at once, so the program's agent gives up.
class LoopbackListener {
public:
    LoopbackListener() {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
            ::listen(m_fd, 4) != 0 ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
            const int connection = ::accept(m_fd, nullptr, nullptr);
            if (connection >= 0) {
                ++m_connections;
                ::close(connection);
            }
        });
    }
    ~LoopbackListener() {
        m_notifier.reset();
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int port() const { return m_port; }
    int connections() const { return m_connections; }

private:
    int m_fd = -1;
    int m_port = 0;
    int m_connections = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

QByteArray readFile(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDebugStart : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void startsTheProgramWithTheAgent_data();
    void startsTheProgramWithTheAgent();

private:
    TestEnv m_env;
    RecordingUi m_ui;
    QString m_wrapper;
};

void TestDebugStart::initTestCase() {
    QVERIFY2(!JavaFixture::Javac().isEmpty() && !JavaFixture::Java().isEmpty(),
             "the tests need the JDK");
    m_wrapper = m_env.writeFile("bin/java", "#!/bin/sh\necho $$ > \"$0.pid\"\n"
                                            "for a in \"$@\"; do echo \"$a\"; done > \"$0.args\"\n"
                                            "exec '" +
                                                JavaFixture::Java().toUtf8() + "' \"$@\"\n");
    QFile::setPermissions(m_wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestDebugStart::init() {
    Settings::Compiler = JavaFixture::Javac();
    Settings::Run = m_wrapper;
    Settings::CompilerParameter.clear();
    Settings::RunParameter.clear();
    QFile::remove(m_wrapper + ".pid");
    QFile::remove(m_wrapper + ".args");
}

void TestDebugStart::startsTheProgramWithTheAgent_data() {
    QTest::addColumn<bool>("resident");
    QTest::newRow("compiler process") << false;
    QTest::newRow("resident compiler") << true;
}

void TestDebugStart::startsTheProgramWithTheAgent() {
    QFETCH(bool, resident);
    const QString folder = resident ? QStringLiteral("warm") : QStringLiteral("kalt");
    const QString source = m_env.writeFile(folder + "/Hallo.java", Hallo);
    const QString classFile = m_env.path(folder + "/Hallo.class");

    FakeDebugHost host;
    host.windows.insert(source, {});
    host.builds.targets = [&source] {
        return QList<std::shared_ptr<BuildTarget>>{std::make_shared<SavedFileTarget>(source)};
    };
    auto warm = std::make_unique<WarmCompiler>();
    if (resident) {
        QSignalSpy ready(warm.get(), &WarmCompiler::Ready);
        warm->Prepare(Settings::Compiler, QFileInfo(source).absolutePath());
        QVERIFY(ready.wait(30000));
        host.builds.warm = warm.get();
    }
    FakeDebugEngine engine;
    DebugSession session(host);
    session.SetEngine(&engine);
    session.ToggleBreakpoint(source, 4);

    SavedFileTarget window(source);
    session.Start(window);
    QCOMPARE(engine.take(), QStringList({"SetBreakpoints " + source + " 4", "Listen Hallo"}));
    QCOMPARE(warm->WarmCompiles(), resident ? 1 : 0);
    const QString tables = javapLines(classFile);
    QVERIFY2(tables.contains(QStringLiteral("LineNumberTable")), qPrintable(tables));
    QVERIFY2(tables.contains(QStringLiteral("LocalVariableTable")), qPrintable(tables));
    QVERIFY2(tables.contains(QStringLiteral("zahl")), qPrintable(tables));

    // The engine's side of the connection: the program's agent connects, and is sent away.
    LoopbackListener listener;
    QVERIFY(listener.port() > 0);
    QSignalSpy finished(&session, &DebugSession::RunFinished);
    emit engine.Listening(listener.port());
    QCOMPARE(session.State(), DebugState::Running);
    QVERIFY(finished.wait(60000));

    const QStringList arguments =
        QString::fromUtf8(readFile(m_wrapper + ".args")).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(arguments, QStringList({DebugAgentOption(listener.port()), "Hallo"}));
    QCOMPARE(listener.connections(), 1);
    // The program's agent could not reach a debugger, so the program ended; the run's end
    // lines stand in the panel as after F9.
    const qint64 pid = readFile(m_wrapper + ".pid").trimmed().toLongLong();
    QVERIFY(pid > 0);
    if (alive(pid))
        ::kill(pid_t(pid), SIGKILL);
    QVERIFY2(!alive(pid), "a JVM was left over");
    QVERIFY2(host.builds.output.text.startsWith("Datei \"" + source + "\""),
             qPrintable(host.builds.output.text));
    QVERIFY2(host.builds.output.text.endsWith("-- Fertig --"), qPrintable(host.builds.output.text));
    QVERIFY(m_ui.boxes.isEmpty());
    // The resident compiler ends with its owner.
    const qint64 compiler = warm->ProcessId();
    host.builds.warm = nullptr;
    warm.reset();
    QVERIFY(!alive(compiler));
}

QTEST_GUILESS_MAIN(TestDebugStart)
#include "tst_debugstart.moc"
