#pragma once

#include <optional>

#include <QCommandLineParser>

#include "exchange/exchangedata.h"
#include "exchange/exchangescope.h"
#include "cli/clirom.h"

// The options export and import share: the scope (--all, --car N, --car N
// --sprite N, --separate), the palette (--palette NAME|N), --force and
// --console-colours (ExchangeData::colors).
struct ExchangeOptions
{
    QCommandLineOption all{QStringLiteral("all"), QStringLiteral("All cars (the default).")};
    QCommandLineOption car{QStringLiteral("car"), QStringLiteral("One car, 1..5."), QStringLiteral("N")};
    QCommandLineOption sprite{QStringLiteral("sprite"), QStringLiteral("One sprite of the car, 1..45 (needs --car)."),
                              QStringLiteral("N")};
    QCommandLineOption separate{QStringLiteral("separate"),
                                QStringLiteral("One numbered file a sprite (car-03-07.png) instead of one sheet.")};
    QCommandLineOption palette{QStringLiteral("palette"),
                               QStringLiteral("The palette by name or position 1..11 (default 1, \"Blue\")."),
                               QStringLiteral("NAME|N")};
    QCommandLineOption force{QStringLiteral("force"), QStringLiteral("Uses a file that does not look like the game's ROM.")};
    QCommandLineOption console{QStringLiteral("console-colours"),
                               QStringLiteral("Colours as the console shows them (its measured levels) instead of the "
                                              "editor's linear ones.")};

    void AddTo(QCommandLineParser &parser) const
    {
        parser.addOptions({all, car, sprite, separate, palette, force, console});
    }

    // The selection and the palette index the options ask for, or the usage
    // error's status after printing it.
    std::optional<int> Read(const QCommandLineParser &parser, const QString &command, ExchangeSelection *selection,
                            int *paletteIndex) const;
};

// What an exchange draws from and writes into for the ROM: its sprites
// without pending offsets, the chosen palette and the window's background,
// in the given colour model.
ExchangeData ExchangeDataFor(const CarData &data, int paletteIndex, ColorModel colors = ColorModel::Linear);
