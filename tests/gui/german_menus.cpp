#include <QtTest>

#include <QMenuBar>

#include "editor/window/translations.h"
#include "exchangetestrom.h"
#include "testwindow.h"

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
};

QTEST_MAIN(TestGermanMenus)
#include "german_menus.moc"
