// The help names exactly the menus, items and keys the program has. The help marks them:
// <span class="menu">Menü → Punkt</span>, the item's key right after it in (<kbd>Taste</kbd>),
// and <kbd> only for keys of menu items. Markup may vary; captions and keys may not.
#include "app/TFMain.h"

#include "common/ShortcutText.h"
#include "editor/MDIQuill.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QtTest>

namespace {

const QString Arrow = QStringLiteral("→");

// A caption as the learner reads it: no mnemonic, no key text after the tab, blanks as one.
QString readable(QString text) {
    text = text.section(u'\t', 0, 0);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text.simplified();
}

// Text of an HTML piece: entities decoded, tags dropped, blanks as one.
QString plainOf(const QString &html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

struct MenuItem {
    QString path; // "Datei → Speichern..."
    QKeySequence key;
};

// Every visible menu (as "Titel") and item (as "Titel → Punkt") of the menu bar.
QList<MenuItem> programMenus(QMenuBar *bar) {
    QList<MenuItem> items;
    for (QAction *title : bar->actions()) {
        if (!title->isVisible() || !title->menu())
            continue;
        const QString menu = readable(title->text());
        items << MenuItem{menu, {}};
        for (QAction *action : title->menu()->actions()) {
            if (!action->isVisible() || action->isSeparator() || action->menu())
                continue;
            QKeySequence key = action->shortcut();
            // Snippet items show their keys as text after the tab.
            if (key.isEmpty() && action->text().contains(u'\t'))
                key = TextToShortCut(action->text().section(u'\t', 1));
            items << MenuItem{menu + u' ' + Arrow + u' ' + readable(action->text()), key};
        }
    }
    return items;
}

struct HelpMention {
    QString path;    // as written, normalised like the program's captions
    QString keyText; // of the (<kbd>..</kbd>) right after it, if any
    bool hasKey = false;
};

QString normalisedPath(const QString &written) {
    QStringList parts = written.split(Arrow);
    for (QString &part : parts)
        part = part.simplified();
    return parts.join(u' ' + Arrow + u' ');
}

} // namespace

class TestHelpMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QFile file(QStringLiteral(QUILL_HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_html = QString::fromUtf8(file.readAll());
        // Comments are no text of the help.
        m_html.remove(QRegularExpression(QStringLiteral("<!--.*?-->"),
                                         QRegularExpression::DotMatchesEverythingOption));
        static const QRegularExpression menu(
            QStringLiteral("<span\\s+class\\s*=\\s*[\"']menu[\"'][^>]*>(.*?)</span>"
                           "(\\s*\\(\\s*<kbd[^>]*>(.*?)</kbd>\\s*[,)])?"),
            QRegularExpression::DotMatchesEverythingOption);
        for (auto it = menu.globalMatch(m_html); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            m_mentions << HelpMention{normalisedPath(plainOf(match.captured(1))),
                                      plainOf(match.captured(3)), !match.captured(2).isEmpty()};
        }
        static const QRegularExpression kbd(QStringLiteral("<kbd[^>]*>(.*?)</kbd>"),
                                            QRegularExpression::DotMatchesEverythingOption);
        for (auto it = kbd.globalMatch(m_html); it.hasNext();)
            m_keys << plainOf(it.next().captured(1));
        QVERIFY(m_mentions.size() > 50);
    }

    void init() {
        m_env = std::make_unique<TestEnv>();
        m_ui = std::make_unique<RecordingUi>();
        m_frame = std::make_unique<TFMain>();
        m_frame->OpenFileByName(m_env->writeFile("A.java", "class A {}\n"));
        QCOMPARE(m_frame->EditorWindows().size(), 1);
        m_menus = programMenus(m_frame->menuBar());
        QVERIFY(m_menus.size() > 60);
    }

    void cleanup() {
        m_frame.reset();
        m_ui.reset();
        m_env.reset();
    }

    void everyMenuTheHelpNamesExists() {
        QStringList wrong;
        for (const HelpMention &mention : std::as_const(m_mentions)) {
            const auto item =
                std::find_if(m_menus.cbegin(), m_menus.cend(),
                             [&](const MenuItem &m) { return m.path == mention.path; });
            if (item == m_menus.cend()) {
                wrong << QStringLiteral("no such menu item: ") + mention.path;
                continue;
            }
            if (!mention.hasKey)
                continue;
            const QKeySequence named = TextToShortCut(mention.keyText);
            if (named.isEmpty() || named != item->key)
                wrong << QStringLiteral("%1 has the key \"%2\", not \"%3\"")
                             .arg(mention.path, ShortCutToText(item->key), mention.keyText);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void everyMenuItemIsInTheHelpWithItsKey() {
        QStringList missing;
        for (const MenuItem &item : std::as_const(m_menus)) {
            bool named = false;
            bool keyNamed = item.key.isEmpty();
            for (const HelpMention &mention : std::as_const(m_mentions)) {
                if (mention.path != item.path)
                    continue;
                named = true;
                keyNamed =
                    keyNamed || (mention.hasKey && TextToShortCut(mention.keyText) == item.key);
            }
            if (!named)
                missing << QStringLiteral("not in the help: ") + item.path;
            else if (!keyNamed)
                missing << QStringLiteral("the help does not give the key %1 of %2")
                               .arg(ShortCutToText(item.key), item.path);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

    void everyKeyTheHelpNamesIsAMenuKey() {
        QStringList wrong;
        for (const QString &text : std::as_const(m_keys)) {
            const QKeySequence key = TextToShortCut(text);
            const bool known =
                !key.isEmpty() && std::any_of(m_menus.cbegin(), m_menus.cend(),
                                              [&](const MenuItem &m) { return m.key == key; });
            if (!known)
                wrong << QStringLiteral("no menu item has the key ") + text;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    // The check itself: a wrong caption or key in the help is caught, markup is not.
    void theCheckCatchesWrongCaptionsOnly() {
        const auto exists = [this](const QString &html) {
            static const QRegularExpression span(
                QStringLiteral("<span\\s+class\\s*=\\s*[\"']menu[\"'][^>]*>(.*?)</span>"),
                QRegularExpression::DotMatchesEverythingOption);
            const QString path = normalisedPath(plainOf(span.match(html).captured(1)));
            return std::any_of(m_menus.cbegin(), m_menus.cend(),
                               [&](const MenuItem &m) { return m.path == path; });
        };
        QVERIFY(exists("<span class='menu'>Suchen  →\n  Suchen &amp; Ersetzen</span>"));
        QVERIFY(exists("<span class=\"menu\" title=\"x\"><i>Datei</i> → Speichern...</span>"));
        QVERIFY(!exists("<span class=\"menu\">Compiler / Run → Setze Main-Java</span>"));
        QVERIFY(!exists("<span class=\"menu\">Compiler / Run → Build aller Dateien</span>"));
        QVERIFY(!exists("<span class=\"menu\">Einfügen → Klasse</span>"));
        QVERIFY(!exists("<span class=\"menu\">Datei → Speichern</span>"));
        QVERIFY(!exists("<span class=\"menu\">Datei → Speichern... (Strg+S)</span>"));
    }

private:
    QString m_html;
    QList<HelpMention> m_mentions;
    QStringList m_keys;
    QList<MenuItem> m_menus;
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
    std::unique_ptr<TFMain> m_frame;
};

QTEST_MAIN(TestHelpMenus)
#include "tst_helpmenus.moc"
