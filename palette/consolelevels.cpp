#include "palette/consolelevels.h"

#include <algorithm>

namespace {

constexpr unsigned short kLevelBits = 0x0EEE;

int Level(int value)
{
    return std::clamp(value, 0, 7);
}

} // namespace

unsigned short Word16(ColorWord word)
{
    return static_cast<unsigned short>(((word.first << 8) | word.second) & kLevelBits);
}

ColorWord WordFrom16(unsigned short word)
{
    word &= kLevelBits;
    return ColorWord{static_cast<unsigned char>(word >> 8), static_cast<unsigned char>(word & 0xFF)};
}

ChannelLevels LevelsOfWord(ColorWord word)
{
    const unsigned short w = Word16(word);
    return ChannelLevels{(w >> 1) & 7, (w >> 5) & 7, (w >> 9) & 7};
}

ColorWord WordOfLevels(ChannelLevels levels)
{
    return WordFrom16(static_cast<unsigned short>((Level(levels.blue) << 9) | (Level(levels.green) << 5)
                                                  | (Level(levels.red) << 1)));
}

QString WordText(ColorWord word)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(Word16(word), 4, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColorWord> WordFromText(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty() || digits.size() > 4)
        return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || (value & ~uint(kLevelBits)) != 0)
        return std::nullopt;
    return WordFrom16(static_cast<unsigned short>(value));
}

QPoint GridCellOf(ChannelLevels levels)
{
    const int blue = Level(levels.blue);
    return QPoint((blue % 4) * 8 + Level(levels.red), (blue / 4) * 8 + Level(levels.green));
}

ChannelLevels LevelsOfGridCell(QPoint cell)
{
    const int x = std::clamp(cell.x(), 0, kLevelGridColumns - 1), y = std::clamp(cell.y(), 0, kLevelGridRows - 1);
    return ChannelLevels{x % 8, y % 8, (y / 8) * 4 + x / 8};
}
