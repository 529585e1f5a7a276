#pragma once

#include <QCoreApplication>
#include <QString>

#include "base/result.h"

// The import's failure lines ("Cannot load file \"car.png\": the picture is
// 10 x 10 pixels; a car takes 624 x 432 or 432 x 240") in the window's
// language. The exchange layer words them in English for the command line;
// the window translates the frame of each line and the reasons it knows,
// and keeps the others (the system's own words) as they are.
class LoadErrorText
{
    Q_DECLARE_TR_FUNCTIONS(LoadErrorText)

public:
    // Every line of lines (each ending in a line break), translated.
    static QString Shown(const QString &lines);
    // One failure of an import ("Cannot load file ..."), translated.
    static QString Shown(const Failure &failure);
    static QString ShownReason(const QString &reason);
};
