// Recovery files, as the next start reads what a killed editor left: any
// bytes are either refused with a reason or read to a record that writes back
// byte for byte; changes are put in all or nothing, and what is put in lies
// within its range (pixel indices 0..15, offsets within the frame, valid
// colours, the tables' shape), so that baking the offsets into the pixels, as
// a save does, stays within the frame (UBSan watches the arithmetic).
//
// The fuzzer rarely gets past the file's checksum, so the input is also taken
// as the changes of a well-formed file.

#include <algorithm>
#include <cstdint>

#include "document/documentdelta.h"
#include "fuzzsupport.h"
#include "recovery/recoveryfile.h"
#include "view/spriteoffsets.h"

namespace {

DocumentTables BlankTables()
{
    DocumentTables tables;
    tables.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0)));
    tables.palettes = PaletteTable(kEditorPaletteCount, Palette(kColorsPerPalette, QColor(0, 0, 0)));
    tables.characteristics = CharacteristicsTable(kCarCount, QByteArray(kCharacteristicCount, '\0'));
    tables.weapons = WeaponTable(kCarCount, QByteArray(kWeaponSlotCount, '\0'));
    tables.offsets = ZeroOffsetsFor(tables.sprites);
    return tables;
}

void checkChanges(const QByteArray &changes)
{
    static const DocumentTables blank = BlankTables();
    DocumentTables tables = blank;
    QString reason;
    if (!DocumentDelta::ApplyAfterBytes(changes, tables, &reason)) {
        FUZZ_CHECK(!reason.isEmpty());
        FUZZ_CHECK(tables == blank);
        return;
    }
    FUZZ_CHECK(SameShape(tables, blank));
    for (const QList<SpritePixels> &car : std::as_const(tables.sprites))
        for (const SpritePixels &sprite : car)
            FUZZ_CHECK(sprite.size() == kPixelsPerSprite
                       && std::all_of(sprite.cbegin(), sprite.cend(), [](int i) { return i >= 0 && i < 16; }));
    for (const QList<QPoint> &car : std::as_const(tables.offsets))
        for (const QPoint &offset : car)
            FUZZ_CHECK(std::abs(offset.x()) <= kSpriteSide && std::abs(offset.y()) <= kSpriteSide);
    for (const Palette &palette : std::as_const(tables.palettes))
        FUZZ_CHECK(palette.size() == kColorsPerPalette
                   && std::all_of(palette.cbegin(), palette.cend(), [](const QColor &c) { return c.isValid(); }));
    // What the editor writes of these tables brings them back.
    DocumentTables again = blank;
    FUZZ_CHECK(DocumentDelta::ApplyAfterBytes(DocumentDelta::Between(blank, tables).afterBytes(), again));
    FUZZ_CHECK(again == tables);
    ApplySpriteOffsets(tables.sprites, tables.offsets);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size));
    const Result<RecoveryRecord> record = DecodeRecoveryFile(QStringLiteral("fuzz.skmrecovery"), input);
    if (!record) {
        FUZZ_CHECK(!record.failure().reason.isEmpty());
    } else {
        FUZZ_CHECK(record->rom.size >= 0 && QDir::isAbsolutePath(record->romPath));
        if (quint8(input.at(11)) == kRecoveryFormatVersion)
            FUZZ_CHECK(EncodeRecoveryFile(*record) == input);
        checkChanges(record->changes);
    }

    RecoveryRecord wrapped;
    wrapped.romPath = QStringLiteral("/fuzz/game.bin");
    wrapped.rom.size = 1 << 20;
    wrapped.written = QDateTime::fromMSecsSinceEpoch(1700000000000, Qt::UTC);
    wrapped.ownerPid = 1;
    wrapped.ownerId = QStringLiteral("1.1");
    wrapped.changes = input;
    const QByteArray file = EncodeRecoveryFile(wrapped);
    const Result<RecoveryRecord> back = DecodeRecoveryFile(QStringLiteral("fuzz.skmrecovery"), file);
    FUZZ_CHECK(back && back->changes == input);
    checkChanges(input);
    return 0;
}
