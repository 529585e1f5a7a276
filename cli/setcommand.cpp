#include "car/equipment.h"
#include "cli/clioptions.h"
#include "cli/clirom.h"
#include "cli/subcommands.h"

namespace {

const QString kCommand = QStringLiteral("set");

struct ByteOption
{
    QCommandLineOption option;
    int slot;
    QStringList names;   // empty: a number 0..255
    bool weapon;         // weapons table, else characteristics
};

} // namespace

int RunSetCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Changes a car's characteristics (0..255) and weapons (by name or code), then saves the ROM "
                       "with its checksum fixed. Weapons: %1. Jump/turbo: %2.")
            .arg(WeaponNames().join(QStringLiteral(", ")), JumpTurboNames().join(QStringLiteral(", "))));
    parser.addPositionalArgument(QStringLiteral("ROM"), QStringLiteral("The cartridge image."));
    const QCommandLineOption car(QStringLiteral("car"), QStringLiteral("The car, 1..5."), QStringLiteral("N"));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Saves into this file instead of ROM (ROM stays as it is)."),
                                    QStringLiteral("NEW.bin"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Uses a file that does not look like the game's ROM."));
    const QString value = QStringLiteral("V");
    const QList<ByteOption> bytes = {
        {QCommandLineOption(QStringLiteral("top-speed"), QStringLiteral("Top speed."), value), TopSpeed, {}, false},
        {QCommandLineOption(QStringLiteral("acceleration"), QStringLiteral("Acceleration."), value), Acceleration, {}, false},
        {QCommandLineOption(QStringLiteral("suspension"), QStringLiteral("Suspension."), value), Adhesion, {}, false},
        {QCommandLineOption(QStringLiteral("cornering"), QStringLiteral("Cornering."), value), Cornering, {}, false},
        {QCommandLineOption(QStringLiteral("jumping"), QStringLiteral("Jumping."), value), Jumping, {}, false},
        {QCommandLineOption(QStringLiteral("weapon1"), QStringLiteral("First weapon."), QStringLiteral("NAME|CODE")),
         WeaponA, WeaponNames(), true},
        {QCommandLineOption(QStringLiteral("weapon2"), QStringLiteral("Second weapon."), QStringLiteral("NAME|CODE")),
         WeaponC, WeaponNames(), true},
        {QCommandLineOption(QStringLiteral("jump-turbo"), QStringLiteral("Jump or Turbo."), QStringLiteral("Jump|Turbo")),
         WeaponJumpTurbo, JumpTurboNames(), true},
    };
    parser.addOptions({car, output, force});
    for (const ByteOption &byte : bytes)
        parser.addOption(byte.option);
    if (const std::optional<int> status = ParseCommandLine(
            parser, kCommand,
            QStringLiteral("ROM --car N [--top-speed V] [--acceleration V] [--suspension V] [--cornering V] "
                           "[--jumping V] [--weapon1 NAME|CODE] [--weapon2 NAME|CODE] [--jump-turbo Jump|Turbo] "
                           "[--output NEW.bin]"),
            arguments, 1, 1))
        return *status;

    if (!parser.isSet(car))
        return UsageError(kCommand, QStringLiteral("--car is needed"));
    const std::optional<int> carNumber = ParseNumber(parser.value(car), 1, kCarCount);
    if (!carNumber)
        return UsageError(kCommand, QStringLiteral("--car takes a number from 1 to %1").arg(kCarCount));
    struct Change
    {
        int slot;
        bool weapon;
        int value;
    };
    QList<Change> changes;
    for (const ByteOption &byte : bytes) {
        if (!parser.isSet(byte.option))
            continue;
        const QString text = parser.value(byte.option);
        const std::optional<int> parsed = byte.names.isEmpty() ? ParseNumber(text, 0, 255) : ParseNamedCode(text, byte.names);
        if (!parsed)
            return UsageError(kCommand, QStringLiteral("--%1: \"%2\" is not %3")
                                            .arg(byte.option.names().constFirst(), text,
                                                 byte.names.isEmpty() ? QStringLiteral("a decimal number from 0 to 255")
                                                                      : QStringLiteral("one of %1 (any case) or a code 0..255")
                                                                            .arg(byte.names.join(QStringLiteral(", ")))));
        changes.append({byte.slot, byte.weapon, *parsed});
    }
    if (changes.isEmpty())
        return UsageError(kCommand, QStringLiteral("nothing to set"));

    const Result<RomInput> rom = OpenRom(parser.positionalArguments().at(0), parser.isSet(force), RomUse::Write);
    if (!rom)
        return WorkFailed(kCommand, rom.message());
    CarData data = rom->data;
    const int index = *carNumber - 1;
    for (const Change &change : changes)
        SetByteAt(change.weapon ? data.weapons[index] : data.characteristics[index], change.slot, change.value);
    if (const Result<void> saved = SaveRom(*rom, data, parser.value(output)); !saved)
        return WorkFailed(kCommand, saved.message());
    return kExitSuccess;
}
