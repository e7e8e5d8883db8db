// The window's menus: every item with its caption, key and hint, named after its component.
#include "EditorMenus.h"
#include "MDIQuill.h"

#include "common/CommandGuard.h"
#include "common/ShortcutText.h"

#include <QAction>
#include <QMenu>
#include <QMetaMethod>
#include <QWidget>

QMenu *EditorMenus::AddMenu(const QString &name, const QString &title, const QString &hint) {
    auto *menu = new QMenu(title, m_owner);
    menu->setObjectName(name);
    menu->setToolTipsVisible(true);
    menu->menuAction()->setObjectName(name);
    if (!hint.isEmpty())
        menu->menuAction()->setStatusTip(hint);
    m_menus << menu;
    return menu;
}

QAction *EditorMenus::AddItem(QMenu *menu, const QString &name, const QString &caption,
                              const QKeySequence &key, const QString &hint) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    return action;
}

void EditorMenus::AddSeparator(QMenu *menu, const QString &name) {
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
}

void EditorMenus::CreateMenus() {
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    const auto S = [](const char *text) { return QString::fromUtf8(text); };

    QMenu *datei = AddMenu(S("MainDatei"), S("&Datei"), S("Menü Datei"));
    AddItem(datei, S("MnNeu"), S("&Neu..."), ctrl(Qt::Key_N), S("Neue Datei erzeugen"));
    AddItem(datei, S("MnOeffnen"), S("&Öffnen..."), ctrl(Qt::Key_O), S("Alte Datei öffnen"));
    AddItem(datei, S("MnUpdate"), S("U&pdate"));
    AddSeparator(datei);
    AddItem(datei, S("MnSpeichern"), S("&Speichern..."), ctrl(Qt::Key_S));
    AddItem(datei, S("MnSpeichernUnter"), S("Speichern &unter..."));
    AddItem(datei, S("MnSpeichernAlle"), S("Speichern &alle"));
    AddItem(datei, S("MnAlleSchliessen"), S("A&lle Schließen"));
    AddSeparator(datei);
    AddItem(datei, S("MnTaschenrechner"), S("Taschen&rechner"));
    AddItem(datei, S("MnExplorer"), S("&Explorer"));
    AddItem(datei, S("MnDOSEbene"), S("D&OS-Ebene"), {},
            S("Wechseln zur DOS-Ebene (Bitte mit EXIT verlassen)"));
    AddItem(datei, S("MnNotepad"), S("&Notepad"));
    AddSeparator(datei);
    AddItem(datei, S("MnDrucken"), S("&Drucken..."), ctrl(Qt::Key_P));
    AddItem(datei, S("MnDruckerSetup"), S("Drucker-Setup"), {},
            S("Aufruf des Druckersetup (Drucker wechseln, Hoch/Querformat)"));
    AddSeparator(datei);
    AddItem(datei, S("MnExit"), S("&Beenden"), {}, S("Das Programm beenden"));
    m_recentSeparator = datei->addSeparator();
    m_recentSeparator->setObjectName(S("MnStrichAlteDateien"));
    m_recentSeparator->setVisible(false);
    for (int i = 1; i <= 9; ++i) {
        QAction *item = AddItem(datei, S("MnAlteDatei") + QString::number(i), QString(), {},
                                i <= 4 ? S("Zeigt eine Liste der zuletzt geschlossenen Dateien an")
                                       : QString());
        item->setVisible(false);
        m_recentItems << item;
    }

    QMenu *bearbeiten = AddMenu(S("MainBearbeiten"), S("&Bearbeiten"));
    AddItem(bearbeiten, S("MnRueckgaengig"), S("&Rückgängig"), ctrl(Qt::Key_Z));
    AddItem(bearbeiten, S("MnWiderrufen"), S("Widerrufen"),
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnBlockAusschneiden"), S("&Ausschneiden"), ctrl(Qt::Key_X));
    AddItem(bearbeiten, S("MnBlockKopieren"), S("&Kopieren"), ctrl(Qt::Key_C));
    AddItem(bearbeiten, S("MnBlockEinfuegen"), S("&Einfügen"), ctrl(Qt::Key_V));
    AddItem(bearbeiten, S("MnBlockLoeschen"), S("&Löschen"));
    AddItem(bearbeiten, S("MnBlockalsDateiSichern"), S("&Block als Datei &sichern"));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnAktuelleZeileloeschen"), S("Aktuelle &Zeile löschen"),
            ctrl(Qt::Key_Y));
    AddItem(bearbeiten, S("MnZeilebisEndeLoeschen"), S("Zeile bi&s Ende löschen"), ctrl(Qt::Key_K));
    AddItem(bearbeiten, S("MnBlocknachlinks"), S("Block nach links"), ctrl(Qt::Key_L));
    AddItem(bearbeiten, S("MnBlocknachrechts"), S("Block nach rechts"), ctrl(Qt::Key_R));
    AddItem(bearbeiten, S("MnZeilenKommentieren"), S("Zeilen aus-/ein&kommentieren"),
            ctrl(Qt::Key_NumberSign), S("Setzt // vor die markierten Zeilen oder nimmt es weg"));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnGehezu"), S("&Gehe zu..."), ctrl(Qt::Key_G));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnKonverttextvonDOSnachWindows"),
            S("Konverttext von DOS nach &Windows"));
    AddItem(bearbeiten, S("MnKonverttextvonWindowsnachDOS"),
            S("Konverttext von Windows nach &DOS"));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnAllesmarkieren"), S("Alles &markieren"), ctrl(Qt::Key_A));
    AddSeparator(bearbeiten);
    AddItem(bearbeiten, S("MnWortVervollstaendigen"), S("Wort &vervollständigen"),
            ctrl(Qt::Key_Space), S("Vorschläge für das Wort vor der Schreibmarke"));

    QMenu *suchen = AddMenu(S("MainSuchen"), S("&Suchen"));
    AddItem(suchen, S("MnSuchen"), S("&Suchen"), ctrl(Qt::Key_F), S("Suchen eines Teiltextes"));
    AddItem(suchen, S("MnWeitersuchen"), S("&Weitersuchen"), QKeySequence(Qt::Key_F3),
            S("Nochmalige Suche eines Teiltextes"));
    AddItem(suchen, S("MnSuchenErsetzen"), S("Suchen && &Ersetzen"), ctrl(Qt::Key_E),
            S("Suchen eines Teiltextes und Ersetzen durch einen zweiten"));
    AddSeparator(suchen);
    AddItem(suchen, S("MnIncrementielleSuche"), S("Incrementielle Suche"), ctrl(Qt::Key_I));
    AddSeparator(suchen);
    AddItem(suchen, S("MnZurPassendenKlammer"), S("Zur passenden &Klammer"), ctrl(Qt::Key_M),
            S("Springt zur Klammer, die zur Klammer am Cursor gehört"));

    QMenu *einfuegen = AddMenu(S("MainEinfuegen"), S("&Einfügen"));
    AddItem(einfuegen, S("MnInsertSyso"), S("Syso"));
    AddItem(einfuegen, S("MnInsertsetDefaultCloseOperation"), S("setDefaultCloseOperation"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertKlasse"), S("Klasse"));
    AddItem(einfuegen, S("MnInsertAttribSetGet"), S("Attribut mit set/get"));
    AddItem(einfuegen, S("MnIfBedingungMitElse"), S("If Bedingung mit else"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnWhileSchleife"), S("While - Schleife"));
    AddItem(einfuegen, S("MnDoWhile"), S("Do While"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertGridBagLayout"), S("GridBagLayout"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertActionListenermiteinemSchalter"),
            S("ActionListener mit einem Schalter"));
    AddItem(einfuegen, S("MnInsertFrameListerner"),
            S("JFrame Listener (onActive, On Closing etc.)"));
    AddItem(einfuegen, S("MnInsertMouseListener"), S("Mouse-Listener"));
    AddItem(einfuegen, S("MnInsertFoucsListener"), S("Foucs-Listener"));
    AddSeparator(einfuegen);
    AddItem(einfuegen, S("MnInsertFile"), S("&Einfügen Datei"));

    QMenu *ansicht = AddMenu(S("MainAnsicht"), S("&Ansicht"));
    AddItem(ansicht, S("MnSetMemoColor"), S("Farbiger Editor"));
    AddItem(ansicht, S("MnSerMemoSW"), S("Schwarz-Weiß-Editor"));

    AddMenu(S("MainVersionen"), S("&Versionen"));

    QMenu *compiler = AddMenu(S("MainCompiler"), S("&Compiler / Run"));
    AddItem(compiler, S("MnCompiler"), S("&Compiler"));
    AddItem(compiler, S("MnRun"), S("&Run"));
    AddItem(compiler, S("MnProgrammBeenden"), S("Programm beenden"),
            QKeySequence(Qt::CTRL | Qt::Key_F2), S("Beendet das mit Run gestartete Programm"));
    AddSeparator(compiler);
    AddItem(compiler, S("MnSetMainJava"), S("Setze Main-Java"));
    AddSeparator(compiler, S("MnRun_leer2"));
    AddItem(compiler, S("MnBuildAllerDateien"), S("Build aller Dateien"));
    AddSeparator(compiler, S("MnRun_leer3"));
    AddItem(compiler, S("MnProgrammEinstellungen"), S("&Einstellungen"));
}

QList<KeyInUse> EditorMenus::MenuKeys() {
    QWidget owner;
    EditorMenus menus(&owner);
    menus.CreateMenus();
    QList<KeyInUse> keys;
    for (QMenu *menu : std::as_const(menus.m_menus)) {
        for (QAction *action : menu->actions()) {
            const QString name = action->objectName();
            if (action->shortcut().isEmpty() || name == QLatin1String("MnCompiler") ||
                name == QLatin1String("MnRun"))
                continue;
            keys.append({ShortCutToText(action->shortcut()), action->text()});
        }
    }
    return keys;
}

void TFMDIQuill::ConnectMenuHandlers() {
    const QMetaObject *meta = metaObject();
    for (QMenu *menu : std::as_const(m_menus)) {
        for (QAction *action : menu->actions()) {
            if (action->objectName().isEmpty())
                continue;
            const QByteArray slot = action->objectName().toLatin1() + "Click()";
            const int index = meta->indexOfSlot(slot.constData());
            if (index >= 0)
                connect(action, &QAction::triggered, this, Guarded([this, meta, index] {
                            meta->method(index).invoke(this, Qt::DirectConnection);
                        }));
        }
    }
}

QAction *TFMDIQuill::MenuItem(const QString &name) const {
    for (QMenu *menu : m_menus) {
        if (menu->objectName() == name)
            return menu->menuAction();
        for (QAction *action : menu->actions())
            if (action->objectName() == name)
                return action;
    }
    return nullptr;
}
