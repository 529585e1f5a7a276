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

// The image plug-ins' own warnings ("libpng error: ...", qt.gui.imageio) are
// not for the user: a failure is reported once, by the command, with its reason.
QtMessageHandler defaultHandler = nullptr;

void QuietImageIo(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool imageIo = (context.category && qstrncmp(context.category, "qt.gui.imageio", 14) == 0)
                         || message.startsWith(QLatin1String("libpng"));
    if (!imageIo && defaultHandler)
        defaultHandler(type, context, message);
}

} // namespace

bool IsSubcommand(const QString &name)
{
    for (const Subcommand &command : kSubcommands) {
        if (name == QLatin1String(command.name))
            return true;
    }
    return false;
}

QStringList SubcommandNames()
{
    QStringList names;
    for (const Subcommand &command : kSubcommands)
        names << QLatin1String(command.name);
    return names;
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

QString UndecodableArgumentError(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString text = QString::fromLocal8Bit(bytes);
        if (text.toLocal8Bit() != bytes)
            return QStringLiteral("argument %1 (\"%2\") is not valid text in the system's encoding (UTF-8), so no "
                                  "file of that name can be opened; rename the file")
                .arg(i)
                .arg(text);
    }
    return {};
}

int RunCommandLine(int argc, char *argv[])
{
    // Pictures are read and written with QImage alone: no window system is needed.
    defaultHandler = qInstallMessageHandler(QuietImageIo);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("skm-car-editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKM_VERSION));
    if (const QString error = UndecodableArgumentError(argc, argv); !error.isEmpty())
        return WorkFailed(QString::fromLocal8Bit(argv[1]), error);
    return RunSubcommand(QCoreApplication::arguments());
}
