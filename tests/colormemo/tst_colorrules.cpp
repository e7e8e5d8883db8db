#include "colormemo/DrawRules.h"
#include "colormemo/EditorRules.h"

#include <QTest>

class TestColorRules : public QObject {
    Q_OBJECT
private slots:
    void editorRulesPrepare();
};

void TestColorRules::editorRulesPrepare() {
    TDrawRules rules;
    SetEditorColorRules(rules);
    QCOMPARE(rules.Count(), 4);
    rules.PrepareRules();
    QCOMPARE(rules.Items(0)->PreparedKeywords().Count(), 13);
    QCOMPARE(rules.Items(3)->BegEndTable().Count(), 1);
    QCOMPARE(rules.Items(3)->BegEndTable()[0].BeginKeyView(), QStringView(u"//"));
}

QTEST_GUILESS_MAIN(TestColorRules)
#include "tst_colorrules.moc"
