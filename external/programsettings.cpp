#include "external/programsettings.h"

#include <QCoreApplication>

#include "external/commandline.h"

namespace {

Result<void> CheckCommand(const QString &field, const QString &command)
{
    if (command.trimmed().isEmpty())
        return {};
    if (const Result<QStringList> words = SplitCommand(command); !words)
        return Failure{{}, QStringLiteral("%1: %2").arg(field, words.message()), 0, {}};
    return {};
}

void Store(QSettings &settings, const QString &key, const QString &command)
{
    if (command.trimmed().isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, command.trimmed());
}

}  // namespace

ExternalPrograms ReadExternalPrograms(const QSettings &settings)
{
    return {settings.value(SettingsKey::EmulatorCommand).toString().trimmed(),
            settings.value(SettingsKey::PixelEditorCommand).toString().trimmed()};
}

ExternalPrograms ReadExternalPrograms()
{
    return ReadExternalPrograms(QSettings());
}

Result<void> StoreExternalPrograms(const ExternalPrograms &programs)
{
    QSettings settings;
    return StoreExternalPrograms(settings, programs);
}

Result<void> StoreExternalPrograms(QSettings &settings, const ExternalPrograms &programs)
{
    if (Result<void> checked = CheckCommand(QCoreApplication::translate("ExternalPrograms", "Emulator command"), programs.emulatorCommand); !checked)
        return checked;
    if (Result<void> checked = CheckCommand(QCoreApplication::translate("ExternalPrograms", "Pixel editor command"), programs.pixelEditorCommand);
        !checked)
        return checked;
    Store(settings, SettingsKey::EmulatorCommand, programs.emulatorCommand);
    Store(settings, SettingsKey::PixelEditorCommand, programs.pixelEditorCommand);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Failure{settings.fileName(), QCoreApplication::translate("ExternalPrograms", "the settings file cannot be written"), 0,
                       Failure::Action::Write};
    return {};
}
