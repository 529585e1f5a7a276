#include <QtTest>

#include <QComboBox>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolButton>

#include "editor/controllers/loaderrortext.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "editor/window/messagelog.h"

#include "editor/window/translations.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "windowcontrols.h"

// The window in German (run with LANG=de_DE.UTF-8): the translation built in
// is loaded for the system locale, and the menus read as German programs name them.
class TestGermanMenus : public QObject
{
    Q_OBJECT

private slots:
    void menusInGerman()
    {
        QCOMPARE(QLocale().language(), QLocale::German);
        InstallTranslations(*QCoreApplication::instance(), QLocale());
        TestWindow w(ExchangeTestData(1));
        const QMenuBar *bar = w.editor.findChild<QMenuBar *>(QStringLiteral("menuBar"));
        QVERIFY(bar);
        QStringList titles;
        for (const QAction *menu : bar->actions())
            titles << menu->text().remove(QLatin1Char('&'));
        for (const char *german : {"Datei", "Bearbeiten", "Ansicht", "Hilfe"})
            QVERIFY2(titles.contains(QString::fromUtf8(german)), qPrintable(titles.join(QLatin1String(", "))));
    }

    // Texts that come from the layers below or from files, as the German window shows them.
    void namesAndMessagesInGerman_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *name, const char *which, const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(which) << QString::fromUtf8(expected);
        };
        row("palette list", "palette 0", "Blau");
        row("palette list, fixed palette", "palette 10", "Import/Export");
        row("weapon list", "weapon 2", "Rakete");
        row("jump or turbo", "jump 0", "Sprung");
        row("swatch tooltip", "swatch 1", "Index 1: ");
        row("wrong picture size",
            "load Cannot load file \"a.png\": the picture is 10 x 10 pixels; a car takes 624 x 432 or 432 x 240\n",
            "Datei „a.png“ kann nicht geladen werden: das Bild ist 10 x 10 Pixel groß; ein Auto braucht 624 x 432 oder "
            "432 x 240\n");
        row("raw file too short", "load Cannot load file \"s.bin\": the file holds 7 bytes; one sprite takes exactly 1152\n",
            "Datei „s.bin“ kann nicht geladen werden: die Datei enthält 7 Bytes; ein Sprite braucht genau 1152\n");
        row("two lines", "load Cannot load file \"a-1.png\": the file cannot be read\nCannot load file \"b.png\": car 2 "
            "cannot be converted\n",
            "Datei „a-1.png“ kann nicht geladen werden: die Datei kann nicht gelesen werden\nDatei „b.png“ kann nicht "
            "geladen werden: Auto 2 kann nicht umgewandelt werden\n");
        row("the system's reason kept", "load Cannot load file \"x.png\": Permission denied\n",
            "Datei „x.png“ kann nicht geladen werden: Permission denied\n");
        row("user guide", "guide", "Benutzerhandbuch");
        row("message log", "messages", "Meldungen");
        row("about label", "about", "Über dieses Programm");
        // Counts take the German plural forms.
        row("one file failed", "plural 1", "; 1 Datei fehlgeschlagen");
        row("three files failed", "plural 3", "; 3 Dateien fehlgeschlagen");
    }

    void namesAndMessagesInGerman()
    {
        QFETCH(QString, which);
        QFETCH(QString, expected);

        if (QCoreApplication::translate("ShownNames", "Blue") == QLatin1String("Blue"))
            InstallTranslations(*QCoreApplication::instance(), QLocale());
        TestWindow w(ExchangeTestData(1));
        const QString kind = which.section(QLatin1Char(' '), 0, 0);
        const QString rest = which.section(QLatin1Char(' '), 1);
        if (kind == QLatin1String("palette")) {
            QCOMPARE(Control<QComboBox>(w.editor, "comboBoxPalette")->itemText(rest.toInt()), expected);
        } else if (kind == QLatin1String("weapon")) {
            QCOMPARE(Control<QComboBox>(w.editor, "comboBoxWeaponA")->itemText(rest.toInt()), expected);
        } else if (kind == QLatin1String("jump")) {
            QCOMPARE(Control<QComboBox>(w.editor, "comboBoxWeaponJT")->itemText(rest.toInt()), expected);
        } else if (kind == QLatin1String("swatch")) {
            DrawingIndexStrip *strip = w.editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"))->indexStrip();
            const QString tip = strip->swatch(rest.toInt())->toolTip();
            QVERIFY2(tip.startsWith(expected), qPrintable(tip));
            QVERIFY2(tip.contains(QStringLiteral(" in diesem Sprite, ")), qPrintable(tip));
        } else if (kind == QLatin1String("load")) {
            QCOMPARE(LoadErrorText::Shown(rest), expected);
        } else if (kind == QLatin1String("guide")) {
            w.editor.findChild<QAction *>(QStringLiteral("actionUserGuide"))->trigger();
            auto *guide = w.editor.findChild<QTextBrowser *>(QStringLiteral("userGuide"));
            QVERIFY(guide);
            QCOMPARE(guide->source().fileName(), QStringLiteral("userguide_de.html"));
            QCOMPARE(guide->documentTitle(), expected);
            // The controls are named as the German window shows them.
            for (const char *name : {"Drehung", "Neigung", "gespiegelt", "Sprite-Übersicht", "Ansicht > Meldungen"})
                QVERIFY2(guide->toPlainText().contains(QString::fromUtf8(name)), name);
        } else if (kind == QLatin1String("plural")) {
            QCOMPARE(QCoreApplication::translate("ExchangeController", "; %n file(s) failed", nullptr, rest.toInt()), expected);
        } else if (kind == QLatin1String("messages")) {
            w.editor.findChild<QAction *>(QStringLiteral("actionMessages"))->trigger();
            QCOMPARE(w.editor.findChild<MessageLog *>()->windowTitle(), expected);
        } else {
            QCOMPARE(Control(w.editor, "label")->accessibleName(), expected);
        }
    }
};

QTEST_MAIN(TestGermanMenus)
#include "german_menus.moc"
