#pragma once

#include <QByteArray>
#include <QString>

#include "rom/cardata.h"

inline constexpr int kDemoRomSize = 1024 * 1024;

// A 1 MiB cartridge image with an ordinary Mega Drive header (system name,
// copyright, "SKIDMARCH DEMO" as domestic and overseas title, product code,
// ROM and RAM ranges, region) and no program: the reset vector points at an
// endless loop. Every other byte is 0; the checksum is not yet set.
QByteArray DemoRomImage();

// Writes the demo image to path and the car data into it at the car-data
// offsets, with the header checksum fixed. Returns whether it worked; on
// failure *errorMessage says why.
bool WriteDemoRom(const QString &path, const CarData &data, QString *errorMessage = nullptr);
