#pragma once

#include <QByteArray>
#include <QString>

#include "rom/cardata.h"

inline constexpr int kDemoRomSize = 1024 * 1024;

// A 1 MiB cartridge image that runs on the console: the car viewer's vectors,
// header ("SKIDMARCH DEMO" as domestic and overseas title, ROM and RAM ranges,
// three-button pad, regions) and program from offset 0 (cartridge/), every
// byte after it 0. The checksum is not yet set.
QByteArray DemoRomImage();

// Writes the demo image to path and the car data into it at the car-data
// offsets, with the header checksum fixed. Returns whether it worked; on
// failure *errorMessage says why.
bool WriteDemoRom(const QString &path, const CarData &data, QString *errorMessage = nullptr);
