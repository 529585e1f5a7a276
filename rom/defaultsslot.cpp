#include "app/skmcareditor.h"

#include <QFile>

#include "rom/factorydata.h"

// Replaces the four working tables with the factory data embedded as
// ":/defaults.bin". The start-up copies, the ROM file and the view state stay
// as they are. Missing or damaged data replaces nothing; the view is redrawn
// in every case.
void SKMcarEditor::RestoreDefaults()
{
    QFile resource(QStringLiteral(":/defaults.bin"));
    if (resource.open(QIODevice::ReadOnly)) {
        if (const std::optional<CarData> factory = ParseFactoryData(resource.readAll())) {
            sprites = factory->sprites;
            palettes = factory->palettes;
            characteristics = factory->characteristics;
            weapons = factory->weapons;
        }
    }
    DisplaySpriteById();
    ShowColors();
    ShowCarEquipment();
}
