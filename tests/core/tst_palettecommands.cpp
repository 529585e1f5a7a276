#include <QtTest>

#include "palette/palettecommands.h"
#include "palette/randomcolor.h"
#include "rom/colorword.h"

namespace {

const QColor A(255, 0, 0), B(0, 255, 0), C(0, 0, 255);

Palette abc()
{
    Palette palette(16, QColor(36, 36, 36));
    palette[1] = A;
    palette[2] = B;
    palette[3] = C;
    return palette;
}

bool onGrid(const QColor &color)
{
    return color.alpha() == 255 && QuantizeColor(color) == color;
}

} // namespace

class TestPaletteCommands : public QObject
{
    Q_OBJECT

private slots:
    void swapExchangesOneAndTwo()
    {
        Palette palette = abc();
        SwapPaletteColors(palette);
        QCOMPARE(palette.mid(1, 3), Palette({B, A, C}));
        SwapPaletteColors(palette);
        QCOMPARE(palette, abc());
    }

    void shiftRotatesUp()
    {
        Palette palette = abc();
        ShiftPaletteColors(palette);
        QCOMPARE(palette.mid(1, 3), Palette({C, A, B}));
        QCOMPARE(palette.at(0), abc().at(0));
        QCOMPARE(palette.mid(4), abc().mid(4));
        ShiftPaletteColors(palette);
        ShiftPaletteColors(palette);
        QCOMPARE(palette, abc());
    }

    void shortPalettesAreLeftAlone()
    {
        Palette palette{A, B, C};
        SwapPaletteColors(palette);
        ShiftPaletteColors(palette);
        QCOMPARE(palette, Palette({A, B, C}));
    }

    void restoreTakesOnlyTheOnePalette()
    {
        const PaletteTable original{abc(), abc(), abc()};
        PaletteTable palettes = original;
        palettes[0][5] = A;
        palettes[1][1] = C;
        palettes[2][15] = B;
        PaletteTable edited = palettes;

        RestorePaletteFrom(palettes, original, 1);
        edited[1] = original[1];
        QCOMPARE(palettes, edited);

        RestorePaletteFrom(palettes, original, 3);    // no such palette
        RestorePaletteFrom(palettes, original, -1);
        QCOMPARE(palettes, edited);
    }

    void randomColorDrawsBlueGreenRed()
    {
        QRandomGenerator generator(1234);
        QRandomGenerator replay(1234);
        for (int i = 0; i < 200; ++i) {
            const int blue = replay.generate() % 256;
            const int green = replay.generate() % 256;
            const int red = replay.generate() % 256;
            QCOMPARE(RandomColor(generator),
                     QColor(ColorLevels[red / 32], ColorLevels[green / 32], ColorLevels[blue / 32]));
        }
    }

    void randomColorsCoverTheGrid()
    {
        QRandomGenerator generator(99);
        QSet<QRgb> seen;
        for (int i = 0; i < 20000; ++i) {
            const QColor color = RandomColor(generator);
            QVERIFY(onGrid(color));
            seen.insert(color.rgb());
        }
        QCOMPARE(seen.size(), 512);
    }

    void editorRandomIsSeeded()
    {
        SeedEditorRandom(7);
        const QColor first = RandomColor(EditorRandom());
        SeedEditorRandom(7);
        QCOMPARE(RandomColor(EditorRandom()), first);
    }
};

QTEST_GUILESS_MAIN(TestPaletteCommands)
#include "tst_palettecommands.moc"
