#include "cartridge/cartridgeprogram.h"

extern const unsigned char kCartridgeProgramBytes[];
extern const int kCartridgeProgramSize;
extern const CartridgeSymbols kCartridgeSymbols;

QByteArray CartridgeProgram()
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(kCartridgeProgramBytes), kCartridgeProgramSize);
}

CartridgeSymbols CartridgeProgramSymbols()
{
    return kCartridgeSymbols;
}
