#include "palette/palettenames.h"

QStringList PaletteNames()
{
    return {QStringLiteral("Blue"),       QStringLiteral("Opponent 3"), QStringLiteral("Black"),
            QStringLiteral("Yellow"),     QStringLiteral("Red"),        QStringLiteral("Green"),
            QStringLiteral("-"),          QStringLiteral("Opponent 2"), QStringLiteral("Opponent 1"),
            QStringLiteral("-"),          QStringLiteral("Import/Export")};
}
