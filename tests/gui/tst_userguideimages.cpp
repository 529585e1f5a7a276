// The user guide's pictures: every picture either guide names is built into
// the program, and the guide's browser finds it where the guide says.
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestUserGuideImages : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureIsThere_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::newRow("English") << QStringLiteral("userguide.html");
        QTest::newRow("German") << QStringLiteral("userguide_de.html");
    }

    void everyPictureIsThere()
    {
        QFETCH(QString, guide);
        QFile file(QStringLiteral(":/") + guide);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QTextBrowser browser;
        browser.setSource(QUrl(QStringLiteral("qrc:/") + guide));
        int pictures = 0;
        for (const QRegularExpressionMatch &match :
             QRegularExpression(QStringLiteral("<img src=\"([^\"]+)\"")).globalMatch(text)) {
            const QString source = match.captured(1);
            ++pictures;
            const QVariant loaded = browser.loadResource(QTextDocument::ImageResource, QUrl(source));
            QVERIFY2(!loaded.isNull() && !QImage::fromData(loaded.toByteArray()).isNull(), qPrintable(source));
            // Each guide shows the window in its own language.
            QVERIFY2(source.endsWith(guide.contains(QLatin1String("_de")) ? QLatin1String("-de.png") : QLatin1String("-en.png")),
                     qPrintable(source));
        }
        QCOMPARE(pictures, 5);
    }
};

QTEST_MAIN(TestUserGuideImages)
#include "tst_userguideimages.moc"
