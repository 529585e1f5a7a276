#include "patch/crc32.h"

#include <array>

namespace {

// Slicing by eight: table[k][b] is the CRC of byte b followed by k zero bytes.
using CrcTables = std::array<std::array<quint32, 256>, 8>;

constexpr CrcTables MakeTables()
{
    CrcTables tables{};
    for (quint32 b = 0; b < 256; ++b) {
        quint32 crc = b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        tables[0][b] = crc;
    }
    for (int k = 1; k < 8; ++k) {
        for (quint32 b = 0; b < 256; ++b)
            tables[k][b] = (tables[k - 1][b] >> 8) ^ tables[0][tables[k - 1][b] & 0xFF];
    }
    return tables;
}

constexpr CrcTables kTables = MakeTables();

}  // namespace

quint32 Crc32(const char *data, qsizetype size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    quint32 crc = 0xFFFFFFFFu;
    while (size >= 8) {
        const quint32 low = crc ^ (quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
        crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF]
              ^ kTables[4][low >> 24] ^ kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]];
        p += 8;
        size -= 8;
    }
    while (size-- > 0)
        crc = (crc >> 8) ^ kTables[0][(crc ^ *p++) & 0xFF];
    return ~crc;
}
