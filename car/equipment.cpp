#include "car/equipment.h"

QStringList WeaponNames()
{
    return {QStringLiteral("Exploding mine"), QStringLiteral("Tracking bullet"), QStringLiteral("Rocket"),
            QStringLiteral("Bullet"),         QStringLiteral("Oil"),             QStringLiteral("Mine")};
}

QStringList JumpTurboNames()
{
    return {QStringLiteral("Jump"), QStringLiteral("Turbo")};
}

int ByteAt(const QByteArray &bytes, int k)
{
    if (k < 0 || k >= bytes.size())
        return 0;
    return static_cast<unsigned char>(bytes.at(k));
}

void SetByteAt(QByteArray &bytes, int k, int value)
{
    if (k < 0)
        return;
    if (bytes.size() <= k)
        bytes.append(QByteArray(k + 1 - bytes.size(), '\0'));
    bytes[k] = static_cast<char>(value & 0xFF);
}
