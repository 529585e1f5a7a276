#pragma once

#include <optional>

#include <QString>

#include "rom/romimage.h"

class Prompts;

// The ROM check before a file is used: a file that cannot be read gets an
// error message; a file that does not look like the game's ROM (too short for
// the car data, no Mega Drive header) gets a warning naming the file and what
// is wrong, with "Open Anyway" and "Cancel". Returns the file as read when it
// is to be opened, so that it need not be read again; nothing otherwise.
std::optional<RomImage> ConfirmRomFile(Prompts &prompts, const QString &path);
