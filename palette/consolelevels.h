#pragma once

#include <optional>

#include <QPoint>
#include <QString>

#include "rom/colorword.h"

// A console colour by its three 3-bit levels, 0..7 each, as the colour word
// 0000 BBB0 GGG0 RRR0 holds them.
struct ChannelLevels
{
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const ChannelLevels &, const ChannelLevels &) = default;
};

// The word as one 16-bit number (first byte high) and back; the always-zero
// bits are dropped.
unsigned short Word16(ColorWord word);
ColorWord WordFrom16(unsigned short word);

ChannelLevels LevelsOfWord(ColorWord word);
// Each level brought into 0..7 first.
ColorWord WordOfLevels(ChannelLevels levels);

// "0x0EA2", as modders write the words.
QString WordText(ColorWord word);
// A word typed as hex, with or without "0x" ("0x0EA2", "ea2"); nothing when
// it is not hex, is longer than four digits or sets a bit the word keeps zero.
std::optional<ColorWord> WordFromText(const QString &text);

// The grid that shows all 512 colours: 32 columns x 16 rows, in eight blocks
// of 8 x 8 (four across, two down), one for each blue level; within a block
// red grows to the right and green downwards.
inline constexpr int kLevelGridColumns = 32;
inline constexpr int kLevelGridRows = 16;
QPoint GridCellOf(ChannelLevels levels);
// A cell outside the grid is brought into it first.
ChannelLevels LevelsOfGridCell(QPoint cell);
