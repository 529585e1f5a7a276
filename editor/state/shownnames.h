#pragma once

#include <QString>
#include <QStringList>

// The names of palettes, weapons and jump/turbo as the window shows them, in
// its language. The layers below name them in English, as the command line,
// palette files and patches keep them; the window translates them only where
// it shows them.
QString ShownName(const QString &name);
QStringList ShownNames(const QStringList &names);
