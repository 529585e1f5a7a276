#pragma once

#include <QByteArray>
#include <QStringList>

// Byte positions in a car's characteristics string.
enum Characteristic { TopSpeed = 0, Acceleration = 1, Adhesion = 2, Cornering = 3, Jumping = 4 };
// Byte positions in a car's weapons string.
enum WeaponSlot { WeaponA = 0, WeaponC = 1, WeaponJumpTurbo = 2 };

// Item names of the weapon combo boxes; the item index is the stored code.
QStringList WeaponNames();        // weapon A and weapon C
QStringList JumpTurboNames();     // jump/turbo slot

// Byte k of a string as unsigned 0..255; 0 past the end.
int ByteAt(const QByteArray &bytes, int k);
// Stores value (low 8 bits) as byte k, growing the string with zero bytes if it is shorter.
void SetByteAt(QByteArray &bytes, int k, int value);
