#pragma once

#include <QByteArray>
#include <QtGlobal>

// The CRC-32 of zlib, PNG and BPS (reflected polynomial 0xEDB88320, initial
// and final value 0xFFFFFFFF).
quint32 Crc32(const char *data, qsizetype size);
inline quint32 Crc32(const QByteArray &data)
{
    return Crc32(data.constData(), data.size());
}
