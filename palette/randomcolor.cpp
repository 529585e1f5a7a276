#include "palette/randomcolor.h"

#include "rom/colorword.h"

QRandomGenerator &EditorRandom()
{
    static QRandomGenerator generator;
    return generator;
}

void SeedEditorRandom(quint32 seed)
{
    EditorRandom().seed(seed);
}

QColor RandomColor(QRandomGenerator &generator)
{
    // The order of the draws is part of the result: blue, green, red.
    const int blue = static_cast<int>(generator.generate() % 256);
    const int green = static_cast<int>(generator.generate() % 256);
    const int red = static_cast<int>(generator.generate() % 256);
    return QuantizeColor(QColor(red, green, blue));
}
