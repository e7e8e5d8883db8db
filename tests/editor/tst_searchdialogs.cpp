// The find and replace dialogs: their design settings and what their buttons report.

#include "editor/FindDialog.h"
#include "editor/ReplaceDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class TestSearchDialogs : public QObject {
    Q_OBJECT

private slots:
    void findDialog();
    void replaceDialog();
};

void TestSearchDialogs::findDialog() {
    FindDialog dialog;
    QVERIFY(!dialog.isModal());
    QVERIFY(!dialog.WholeWordBox()->isHidden());
    QVERIFY(!dialog.WholeWordBox()->isEnabled());
    QVERIFY(dialog.DownButton()->isChecked());
    QVERIFY(!dialog.FindButton()->isEnabled()); // nothing to search for yet
    QSignalSpy find(&dialog, &FindDialog::Find);
    dialog.SetFindText(QStringLiteral("Hallo"));
    dialog.MatchCaseBox()->setChecked(true);
    dialog.UpButton()->setChecked(true);
    dialog.FindButton()->click();
    QCOMPARE(find.size(), 1);
    const SearchRequest request = dialog.Request();
    QCOMPARE(request.Text, QStringLiteral("Hallo"));
    QVERIFY(request.MatchCase && !request.Down);
}

void TestSearchDialogs::replaceDialog() {
    ReplaceDialog dialog;
    QVERIFY(!dialog.isModal());
    QVERIFY(dialog.findChildren<QCheckBox *>().size() == 1); // match case only, no whole word
    QSignalSpy find(&dialog, &ReplaceDialog::Find);
    QSignalSpy replace(&dialog, &ReplaceDialog::Replace);
    dialog.SetFindText(QStringLiteral("a"));
    dialog.SetReplaceText(QStringLiteral("b"));
    dialog.FindButton()->click();
    dialog.ReplaceButton()->click();
    dialog.ReplaceAllButton()->click();
    QCOMPARE(find.size(), 1);
    QCOMPARE(replace.size(), 2);
    QCOMPARE(replace[0][0].toBool(), false);
    QCOMPARE(replace[1][0].toBool(), true);
    QCOMPARE(dialog.ReplaceText(), QStringLiteral("b"));
}

QTEST_MAIN(TestSearchDialogs)
#include "tst_searchdialogs.moc"
