#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "car/equipment.h"
#include "cli/clioptions.h"
#include "cli/clirom.h"
#include "cli/subcommands.h"
#include "palette/palettenames.h"
#include "rom/colorword.h"
#include "rom/romcheck.h"
#include "view/tilecounts.h"

namespace {

const QString kCommand = QStringLiteral("info");

QString Hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

QJsonObject Equipment(int code, const QStringList &names)
{
    return {{QStringLiteral("code"), code},
            {QStringLiteral("name"), code < names.size() ? QJsonValue(names.at(code)) : QJsonValue(QJsonValue::Null)}};
}

QList<Palette> ShownPalettes(const CarData &data)
{
    QList<Palette> palettes = data.palettes.mid(0, kRomPaletteCount);
    palettes.append(ImportExportPalette());
    return palettes;
}

// The video memory a car's sprites take as 8 x 8 tiles.
QJsonObject TilesJson(const QList<SpritePixels> &car)
{
    const TileCounts counts = CountCarTiles(car);
    return {{QStringLiteral("used"), counts.used},
            {QStringLiteral("empty"), counts.empty},
            {QStringLiteral("duplicate"), counts.duplicate},
            {QStringLiteral("vram_bytes"), counts.vramBytes()},
            {QStringLiteral("vram_bytes_shared"), counts.vramBytesShared()}};
}

QJsonObject InfoJson(const RomInput &rom)
{
    const QStringList weapons = WeaponNames();
    const QStringList jumpTurbo = JumpTurboNames();
    QJsonArray cars;
    for (int car = 0; car < kCarCount; ++car) {
        const QByteArray stats = rom.data.characteristics.value(car);
        const QByteArray carWeapons = rom.data.weapons.value(car);
        cars.append(QJsonObject{{QStringLiteral("car"), car + 1},
                                {QStringLiteral("top_speed"), ByteAt(stats, TopSpeed)},
                                {QStringLiteral("acceleration"), ByteAt(stats, Acceleration)},
                                {QStringLiteral("suspension"), ByteAt(stats, Adhesion)},
                                {QStringLiteral("cornering"), ByteAt(stats, Cornering)},
                                {QStringLiteral("jumping"), ByteAt(stats, Jumping)},
                                {QStringLiteral("weapon1"), Equipment(ByteAt(carWeapons, WeaponA), weapons)},
                                {QStringLiteral("weapon2"), Equipment(ByteAt(carWeapons, WeaponC), weapons)},
                                {QStringLiteral("jump_turbo"), Equipment(ByteAt(carWeapons, WeaponJumpTurbo), jumpTurbo)},
                                {QStringLiteral("tiles"), TilesJson(rom.data.sprites.value(car))}});
    }
    QJsonArray palettes;
    const QStringList names = PaletteNames();
    const QList<Palette> shown = ShownPalettes(rom.data);
    for (int p = 0; p < shown.size(); ++p) {
        QJsonArray colors;
        for (const QColor &color : shown[p])
            colors.append(color.name().toUpper());
        palettes.append(QJsonObject{{QStringLiteral("palette"), p + 1},
                                    {QStringLiteral("name"), names.value(p)},
                                    {QStringLiteral("colors"), colors}});
    }
    const RomHeaderInfo header = ReadRomHeader(rom.plain);
    return {{QStringLiteral("file"), rom.path},
            {QStringLiteral("size"), rom.fileSize},
            {QStringLiteral("interleaved"), !rom.smdHeader.isEmpty()},
            {QStringLiteral("title"), header.title},
            {QStringLiteral("checksum"), QJsonObject{{QStringLiteral("stored"), Hex4(header.storedChecksum)},
                                                     {QStringLiteral("computed"), Hex4(header.computedChecksum)}}},
            {QStringLiteral("cars"), cars},
            {QStringLiteral("palettes"), palettes}};
}

QString EquipmentText(const QJsonObject &slot)
{
    const QJsonValue name = slot.value(QStringLiteral("name"));
    return QStringLiteral("%1 (%2)").arg(name.isNull() ? QStringLiteral("unknown") : name.toString())
        .arg(slot.value(QStringLiteral("code")).toInt());
}

QString InfoText(const QJsonObject &info)
{
    const QJsonObject checksum = info.value(QStringLiteral("checksum")).toObject();
    QString text = QStringLiteral("File:     %1\nSize:     %2 bytes%6\nTitle:    %3\nChecksum: stored %4, computed %5\n")
                       .arg(ShownPath(info.value(QStringLiteral("file")).toString()))
                       .arg(info.value(QStringLiteral("size")).toInteger())
                       .arg(info.value(QStringLiteral("title")).toString(),
                            checksum.value(QStringLiteral("stored")).toString(),
                            checksum.value(QStringLiteral("computed")).toString(),
                            info.value(QStringLiteral("interleaved")).toBool()
                                ? QStringLiteral(", interleaved (.smd: a 512-byte header, then 16 KiB blocks)")
                                : QString());
    for (const QJsonValue &value : info.value(QStringLiteral("cars")).toArray()) {
        const QJsonObject car = value.toObject();
        text += QStringLiteral("Car %1: top speed %2, acceleration %3, suspension %4, cornering %5, jumping %6; "
                               "weapon 1 %7, weapon 2 %8, %9\n")
                    .arg(car.value(QStringLiteral("car")).toInt())
                    .arg(car.value(QStringLiteral("top_speed")).toInt())
                    .arg(car.value(QStringLiteral("acceleration")).toInt())
                    .arg(car.value(QStringLiteral("suspension")).toInt())
                    .arg(car.value(QStringLiteral("cornering")).toInt())
                    .arg(car.value(QStringLiteral("jumping")).toInt())
                    .arg(EquipmentText(car.value(QStringLiteral("weapon1")).toObject()),
                         EquipmentText(car.value(QStringLiteral("weapon2")).toObject()),
                         EquipmentText(car.value(QStringLiteral("jump_turbo")).toObject()));
    }
    for (const QJsonValue &value : info.value(QStringLiteral("palettes")).toArray()) {
        const QJsonObject palette = value.toObject();
        QStringList colors;
        for (const QJsonValue &color : palette.value(QStringLiteral("colors")).toArray())
            colors << color.toString();
        text += QStringLiteral("Palette %1 %2: %3\n")
                    .arg(palette.value(QStringLiteral("palette")).toInt(), 2)
                    .arg(palette.value(QStringLiteral("name")).toString().leftJustified(13), colors.join(QLatin1Char(' ')));
    }
    return text;
}

} // namespace

int RunInfoCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the ROM's header title, size and checksums, each car's characteristics and weapons, "
                       "and each palette's colours."));
    parser.addPositionalArgument(QStringLiteral("ROM"), QStringLiteral("The cartridge image."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Prints one JSON object."));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Uses a file that does not look like the game's ROM."));
    parser.addOptions({json, force});
    if (const std::optional<int> status =
            ParseCommandLine(parser, kCommand, QStringLiteral("ROM [--json]"), arguments, 1, 1))
        return *status;

    const Result<RomInput> rom = OpenRom(parser.positionalArguments().at(0), parser.isSet(force));
    if (!rom)
        return WorkFailed(kCommand, rom.message());
    const QJsonObject info = InfoJson(*rom);
    const Result<void> printed = PrintOut(
        parser.isSet(json) ? QString::fromUtf8(QJsonDocument(info).toJson(QJsonDocument::Indented)) : InfoText(info));
    if (!printed)
        return WorkFailed(kCommand, printed.message());
    return kExitSuccess;
}
