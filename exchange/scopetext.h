#pragma once

#include <QString>

#include "exchange/exchangescope.h"

// What a scope is called and what its file is named, the one wording for the
// window's dialogs, messages and undo steps, the edit link and the command
// line. The names are translated where a translation is loaded (the window);
// the command line loads none and gets them in English.

// "sprite 14 of car 3", "car 3", "all cars".
QString ScopeName(const ExchangeSelection &selection);

// The scope's file as the dialogs propose it and the edit link names it:
// "sprite-3-14.png", "car-3.png", "cars.png".
QString ScopeFileName(const ExchangeSelection &selection);

// The undo step of an import: "Import car 3 from car.png" (the file by its
// name alone).
QString ImportStepText(const ExchangeSelection &selection, const QString &fileName);

// The undo step of a save made in the pixel editor the scope went to:
// "Update car 3 from car-3.png".
QString UpdateStepText(const ExchangeSelection &selection, const QString &fileName);
