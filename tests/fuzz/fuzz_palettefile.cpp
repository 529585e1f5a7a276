// Arbitrary bytes read as each palette-file format: no crash, no hang; a file
// that is read gives 1 to 16 colours on the cartridge grid, and those colours
// written in every format read back the same. The file reader gives the
// parser's answer for the same bytes.

#include <cstdint>

#include "fuzzsupport.h"
#include "palette/palettefiles.h"
#include "rom/colorword.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const PaletteFileFormat formats[] = {PaletteFileFormat::Gimp, PaletteFileFormat::Jasc, PaletteFileFormat::Act,
                                         PaletteFileFormat::Words};
    for (const PaletteFileFormat format : formats) {
        const Result<QList<QColor>> colors = ParsePaletteBytes(bytes, format);
        if (!colors) {
            FUZZ_CHECK(!colors.message().isEmpty());
            continue;
        }
        FUZZ_CHECK(!colors->isEmpty() && colors->size() <= kPaletteFileColors);
        for (const QColor &color : *colors)
            FUZZ_CHECK(QuantizeColor(color) == color);
        for (const PaletteFileFormat other : formats) {
            const Result<QList<QColor>> again = ParsePaletteBytes(PaletteFileBytes(other, *colors), other);
            FUZZ_CHECK(again && *again == *colors);
        }
    }

    // The same bytes as a file of one format, chosen by the first byte.
    static const char *const names[] = {"p.gpl", "p.pal", "p.act", "p.bin"};
    const int pick = size > 0 ? data[0] % 4 : 0;
    const QString path = FuzzScratchPath(QString::fromLatin1(names[pick]));
    FuzzWriteFile(path, bytes);
    const Result<QList<QColor>> fromFile = ReadPaletteFile(path);
    const Result<QList<QColor>> fromBytes = ParsePaletteBytes(bytes, formats[pick]);
    FUZZ_CHECK(fromFile.ok() == fromBytes.ok() && (!fromFile || *fromFile == *fromBytes));
    return 0;
}
