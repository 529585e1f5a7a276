#include "cli/clicommand.h"

#include <QCoreApplication>

#include "cli/clioptions.h"
#include "cli/subcommands.h"
#include "skm_version.h"

namespace {

struct Subcommand
{
    const char *name;
    int (*run)(const QStringList &arguments);
};

constexpr Subcommand kSubcommands[] = {
    {"info", RunInfoCommand},       {"export", RunExportCommand},   {"import", RunImportCommand},
    {"set", RunSetCommand},         {"palette", RunPaletteCommand}, {"patch", RunPatchCommand},
    {"animate", RunAnimateCommand},
};

} // namespace

bool IsSubcommand(const QString &name)
{
    for (const Subcommand &command : kSubcommands) {
        if (name == QLatin1String(command.name))
            return true;
    }
    return false;
}

int RunSubcommand(const QStringList &arguments)
{
    const QString name = arguments.value(1);
    for (const Subcommand &command : kSubcommands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    }
    return UsageError(name, QStringLiteral("unknown command"));
}

int RunCommandLine(int argc, char *argv[])
{
    // Pictures are read and written with QImage alone: no window system is needed.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("skm-car-editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKM_VERSION));
    return RunSubcommand(QCoreApplication::arguments());
}
