#pragma once

#include <QString>

// Numbers for messages, the same on every system: thousands separated by
// commas ("1,042,816").
QString GroupedNumber(qint64 value);

// "1 byte", "3 bytes", "1,048,576 bytes".
QString ByteCountText(qint64 bytes);
