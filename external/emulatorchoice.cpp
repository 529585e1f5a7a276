#include "external/emulatorchoice.h"

#include <QCoreApplication>

QStringList KnownEmulatorCommands()
{
    return {QStringLiteral("blastem %f"), QStringLiteral("mednafen -force_module md %f"),
            QStringLiteral("mame genesis -cart %f")};
}

QString InstalledEmulatorCommand(const QStringList &paths)
{
    for (const QString &command : KnownEmulatorCommands()) {
        const Result<QStringList> words = SplitCommand(command);
        if (words && FindProgram(words->first(), paths))
            return command;
    }
    return {};
}

Result<QString> EmulatorCommand(const QString &setting, const QStringList &paths)
{
    if (!setting.trimmed().isEmpty())
        return setting.trimmed();
    const QString installed = InstalledEmulatorCommand(paths);
    if (!installed.isEmpty())
        return installed;
    return Failure{{},
                   QCoreApplication::translate("ExternalPrograms",
                                               "No emulator is installed. Install one of the Debian packages blastem, "
                                               "mednafen or mame (for example: sudo apt install blastem), or set the "
                                               "emulator command in Edit > Preferences..."),
                   0, {}};
}
