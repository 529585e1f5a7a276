#include <QtTest>

#include "document/cardocument.h"
#include "document/commandids.h"
#include "document/documentdelta.h"

// The document without a window: deltas, merging, the clean state, strokes
// that store only themselves, and the memory of many steps.
namespace {

CarData SmallData()
{
    CarData data;
    data.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 1)));
    return data;
}

DocumentTables Changed(DocumentTables tables, int what)
{
    switch (what) {
    case 0: tables.sprites[2][7][100] = 9; break;
    case 1: tables.offsets[4][44] = QPoint(3, -2); break;
    case 2: tables.palettes[3][5] = QColor(36, 72, 108); break;
    case 3: tables.characteristics[1][2] = char(77); break;
    default: tables.weapons[0][1] = char(4); break;
    }
    return tables;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void deltaRoundTrip_data()
    {
        QTest::addColumn<int>("what");
        QTest::newRow("sprite") << 0;
        QTest::newRow("offset") << 1;
        QTest::newRow("palette") << 2;
        QTest::newRow("characteristic") << 3;
        QTest::newRow("weapon") << 4;
    }
    void deltaRoundTrip()
    {
        QFETCH(int, what);
        CarDocument document;
        document.Load(QStringLiteral("x.bin"), SmallData());
        const DocumentTables before = document.tables();
        const DocumentTables after = Changed(before, what);
        const DocumentDelta delta = DocumentDelta::Between(before, after);
        QVERIFY(!delta.isEmpty());
        DocumentTables tables = before;
        delta.applyTo(tables, true);
        QCOMPARE(tables, after);
        delta.applyTo(tables, false);
        QCOMPARE(tables, before);
        QVERIFY(DocumentDelta::Between(before, before).isEmpty());
    }

    void cleanStateFollowsUndo()
    {
        CarDocument document;
        document.Load(QStringLiteral("x.bin"), SmallData());
        QSignalSpy modified(&document, &CarDocument::modifiedChanged);
        QVERIFY(!document.isModified());
        QVERIFY(document.Change(QStringLiteral("a"), {}, Changed(document.tables(), 2)));
        QVERIFY(document.isModified());
        document.undoStack()->undo();
        QVERIFY(!document.isModified());
        QCOMPARE(modified.size(), 2);
        // The same tables again make no step.
        QVERIFY(!document.Change(QStringLiteral("none"), {}, document.tables()));
    }

    void stepsOfOneBoxMerge()
    {
        CarDocument document;
        document.Load(QStringLiteral("x.bin"), SmallData());
        const DocumentTables start = document.tables();
        for (int value : {5, 6, 7}) {
            DocumentTables after = document.tables();
            after.characteristics[0][0] = char(value);
            document.Change(QStringLiteral("speed %1").arg(value), {}, after, kCharacteristicCommand, {0, 0});
        }
        QCOMPARE(document.undoStack()->count(), 1);
        QCOMPARE(document.undoStack()->text(0), QStringLiteral("speed 7"));
        // Typed back to where it began: nothing left to undo.
        DocumentTables back = document.tables();
        back.characteristics[0][0] = start.characteristics[0][0];
        document.Change(QStringLiteral("back"), {}, back, kCharacteristicCommand, {0, 0});
        QCOMPARE(document.undoStack()->count(), 0);
        QCOMPARE(document.tables(), start);
    }

    // A step pushed while a stroke goes on is not repeated in the stroke's step.
    void strokeStoresOnlyItself()
    {
        CarDocument document;
        document.Load(QStringLiteral("x.bin"), SmallData());
        const DocumentTables start = document.tables();
        const PixelChanges first{{10, 1, 5}};
        document.DrawLive(0, 0, first);
        // Meanwhile another step, on another sprite and a palette.
        DocumentTables other = document.tables();
        other.sprites[0][1][20] = 3;
        other.palettes[0][1] = Qt::white;
        QVERIFY(document.Change(QStringLiteral("other"), {}, other));
        const PixelChanges second{{11, 1, 5}};
        document.DrawLive(0, 0, second);
        QVERIFY(document.RecordPixels(QStringLiteral("Draw"), {0, 0, -1}, 0, 0, first + second));

        document.undoStack()->undo();   // the stroke only
        QCOMPARE(document.sprites()[0][0][10], 1);
        QCOMPARE(document.sprites()[0][0][11], 1);
        QCOMPARE(document.sprites()[0][1][20], 3);
        QCOMPARE(document.palettes()[0][1], QColor(Qt::white));
        document.undoStack()->undo();
        QCOMPARE(document.tables(), start);
        document.undoStack()->redo();
        document.undoStack()->redo();
        QCOMPARE(document.sprites()[0][0][10], 5);
        QCOMPARE(document.sprites()[0][1][20], 3);
        QVERIFY(!document.RecordPixels(QStringLiteral("nothing"), {}, 0, 0, {}));
    }

    void tenThousandStrokesStayCheap()
    {
        CarDocument document;
        document.Load(QStringLiteral("x.bin"), SmallData());
        document.undoStack()->setUndoLimit(0);
        qsizetype stored = 0;
        for (int step = 0; step < 10000; ++step) {
            const int pixel = step % kPixelsPerSprite;
            const int before = document.sprites()[0][0][pixel];
            const PixelChanges changes{{pixel, before, (before + 1) % 16}};
            document.DrawLive(0, 0, changes);
            QVERIFY(document.RecordPixels(QStringLiteral("Draw"), {}, 0, 0, changes));
            stored += DocumentDelta::OfPixels(0, 0, changes).storedBytes();
        }
        QCOMPARE(document.undoStack()->count(), 10000);
        // A one-pixel stroke costs bytes, not a whole sprite (2.3 KB).
        QVERIFY2(stored < 10000 * 200, qPrintable(QString::number(stored)));
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
