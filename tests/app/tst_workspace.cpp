// The workspace behind the frame, without a window: documents, the main-file choice, opening
// a file, the recent files and the compile the panel shows.

#include "app/Workspace.h"

#include "common/Helpers.h"
#include "javarun/BuildTarget.h"
#include "RecordingOutput.h"
#include "TestEnv.h"

#include <QObject>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A document with a name a test sets; a new one has no file.
class FakeDocument : public WorkspaceDocument {
public:
    explicit FakeDocument(const QString &fileName) : fileName(fileName) {}
    QObject *Window() const override { return &window; }
    bool HasFile() const override { return !fileName.isEmpty(); }
    QString FileName() const override { return HasFile() ? fileName : QStringLiteral("noname"); }
    QString FileDir() const override { return fileName.left(fileName.lastIndexOf(u'/') + 1); }
    bool HoldsFile(const QString &name) const override {
        return HasFile() && SameFileName(fileName, name);
    }
    std::shared_ptr<BuildTarget> Target() override { return nullptr; }

    mutable QObject window;
    QString fileName;
};

} // namespace

class TestWorkspace : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnv>(); }
    void cleanup() { m_env.reset(); }

    void theMainFileChoiceIsTheLearners() {
        Workspace space;
        QSignalSpy changed(&space, &Workspace::MainFilesChanged);
        FakeDocument *a = add(space, "/w/A.java");
        QCOMPARE(space.MainIndex(), -1);
        QVERIFY(!space.MainChoiceShown());
        QCOMPARE(space.EntryText(0), QStringLiteral("A.java"));
        // A build command may choose with one window; the second window starts afresh.
        space.ChooseMainFile("/w/A.java");
        QCOMPARE(space.ChosenMainFile(), QStringLiteral("/w/A.java"));
        QCOMPARE(changed.size(), 1);
        add(space, "/w/B.java");
        QCOMPARE(space.MainIndex(), -1);
        QVERIFY(space.MainChoiceShown());
        add(space, "");
        QCOMPARE(space.EntryName(2), QString());
        space.SetMainIndex(2);
        QCOMPARE(space.ChosenMainFile(), QString()); // a new document is no main file
        space.SetMainIndex(1);
        QCOMPARE(space.ChosenMainFile(), QStringLiteral("/w/B.java"));
        QCOMPARE(changed.size(), 1);

        // A second window of the chosen file keeps the choice when the first one goes.
        add(space, "/w/B.java");
        space.Remove(1);
        QCOMPARE(space.MainIndex(), 2);
        QCOMPARE(space.ChosenMainFile(), QStringLiteral("/w/B.java"));
        space.Remove(2);
        QCOMPARE(space.MainIndex(), -1);
        QVERIFY(space.MainChoiceShown());

        // A renamed document's entry follows its file.
        a->fileName = "/w/neu/C.java";
        space.Renamed(0);
        QCOMPARE(space.EntryText(0), QStringLiteral("C.java"));
        QCOMPARE(space.EntryName(0), QStringLiteral("/w/neu/C.java"));
        QCOMPARE(changed.size(), 2);
        space.ChooseMainFile("/w/neu/C.java");
        QCOMPARE(space.MainIndex(), 0);
        space.ChooseMainFile("/w/fehlt.java");
        QCOMPARE(space.MainIndex(), 0);

        space.Remove(1);
        space.Remove(0);
        QCOMPARE(space.Count(), 0);
        QVERIFY(!space.MainChoiceShown());
        QCOMPARE(space.ChosenMainFile(), QString());
    }

    void documentsAreFoundByWindowAndFile() {
        Workspace space;
        FakeDocument *a = add(space, "/w/A.java");
        FakeDocument *b = add(space, "");
        add(space, "/w/A.java");
        QCOMPARE(space.IndexOf(&b->window), 1);
        QCOMPARE(space.IndexOf(nullptr), -1);
        QCOMPARE(space.IndexHolding("/w/./A.java"), 0);
        QCOMPARE(space.IndexHolding("noname"), -1);
        QCOMPARE(space.OpenFiles(), (QStringList{"/w/A.java", "/w/A.java"}));
        QCOMPARE(&space.Document(0), static_cast<WorkspaceDocument *>(a));
        QCOMPARE(space.BuildTargets().size(), 3);
    }

    void openingAFile() {
        Workspace space;
        const QString a = m_env->writeFile("A.java", "class A {}");
        const QString b = m_env->writeFile("B.java", "class B {}");
        space.Recent().Add(a);
        space.Recent().Add(b);
        const Workspace::OpenCheck missing = space.CheckOpen(m_env->path("fehlt.java"));
        QCOMPARE(missing.kind, Workspace::OpenCheck::Kind::Missing);
        QCOMPARE(missing.caption, QStringLiteral("Datei Öffnen"));
        QCOMPARE(missing.text, "Die Datei\r\n" + m_env->path("fehlt.java") + "\r\nexistiert nicht");
        QCOMPARE(space.Recent().Count(), 2);

        QCOMPARE(space.CheckOpen(a).kind, Workspace::OpenCheck::Kind::Open);
        QCOMPARE(space.Recent().Entries(), QStringList{b});
        add(space, a);
        const Workspace::OpenCheck open = space.CheckOpen(a);
        QCOMPARE(open.kind, Workspace::OpenCheck::Kind::AlreadyOpen);
        QCOMPARE(open.index, 0);
        QCOMPARE(open.caption, QStringLiteral("Hinweis"));
        QCOMPARE(open.text, "Datei ist schon geladen\r\n" + a);
    }

    void closedFilesBecomeRecent() {
        Workspace space;
        add(space, "/w/p/A.java");
        add(space, "");
        QCOMPARE(space.LatestRecentFolder("/prog/"), QStringLiteral("/prog/"));
        space.RememberAsRecent(1);
        QCOMPARE(space.Recent().Count(), 0);
        space.RememberAsRecent(0);
        QCOMPARE(space.Recent().Entries(), QStringList{"/w/p/A.java"});
        QCOMPARE(space.LatestRecentFolder("/prog/"), QStringLiteral("/w/p/"));
    }

    void theShownCompileLeadsToItsMessages() {
        Workspace space;
        RecordingOutput panel;
        space.Output().AppendLine("ohne Panel"); // goes nowhere
        space.SetOutput(&panel);
        space.Output().AppendLine("x");
        QCOMPARE(panel.text, QStringLiteral("x"));
        const QString text = "Datei \"/w/A.java\"\n\n\n"
                             "A.java:2: error: cannot find symbol\n"
                             "  y = 1;\n"
                             "  ^\n"
                             "1 error";
        space.CompileShown(MakeCompileResult(true, 1, text, QString()));
        QVERIFY(!space.CompilePlaceAt(2));
        const std::optional<Workspace::PanelPlace> message = space.CompilePlaceAt(3);
        QVERIFY(message);
        QCOMPARE(message->place, (SourcePlace{"/w/A.java", 2, -1}));
        QCOMPARE(message->message, QStringLiteral("cannot find symbol"));
        const std::optional<Workspace::PanelPlace> marker = space.CompilePlaceAt(5);
        QVERIFY(marker);
        QCOMPARE(marker->place, (SourcePlace{"/w/A.java", 2, 2}));
        // Once the panel shows something else, its lines lead nowhere through the compile.
        space.PanelChanged();
        QVERIFY(!space.ShownCompile());
        QVERIFY(!space.CompilePlaceAt(3));
    }

private:
    // Adds a document of the file ("" for a new one); the workspace owns it.
    static FakeDocument *add(Workspace &space, const QString &fileName) {
        auto document = std::make_unique<FakeDocument>(fileName);
        FakeDocument *added = document.get();
        space.Add(std::move(document), fileName);
        return added;
    }

    std::unique_ptr<TestEnv> m_env;
};

QTEST_GUILESS_MAIN(TestWorkspace)
#include "tst_workspace.moc"
