#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTime>

#include "app/stopsignals.h"
#include "cli/clicommand.h"
#include "cli/clioptions.h"
#include "editor/window/recentfiles.h"
#include "editor/dialogs/romcheckdialog.h"
#include "editor/window/skmcareditor.h"
#include "editor/window/translations.h"
#include "editor/window/windowprompts.h"
#include "palette/randomcolor.h"
#include "skm_version.h"

namespace {

// True when path names a regular file that can be opened for reading.
bool IsReadableFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

void PrintError(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The arguments without the options QApplication takes for itself (-platform
// offscreen, -style fusion, ...), so that they can be parsed before it exists.
QStringList WithoutQtOptions(const QStringList &arguments)
{
    static const QStringList withValue = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowtitle",
        "qwindowicon", "geometry", "title", "icon", "session", "display", "name", "visual", "style", "stylesheet"};
    static const QStringList flags = {"reverse", "widgetcount", "testability", "sync", "nograb", "dograb", "qdevel"};
    static const QStringList withEquals = {"qmljsdebugger=", "style=", "stylesheet="};

    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (i == 0 || !argument.startsWith(QLatin1Char('-'))) {
            kept << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            kept << arguments.mid(i);
            break;
        }
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (withValue.contains(name))
            ++i;
        else if (!flags.contains(name)
                 && std::none_of(withEquals.begin(), withEquals.end(),
                                 [&name](const QString &prefix) { return name.startsWith(prefix); }))
            kept << argument;
    }
    return kept;
}

// Whether the window has somewhere to appear: a platform chosen with
// -platform or QT_QPA_PLATFORM other than X11 or Wayland, or their display.
bool HasDisplay(const QStringList &arguments)
{
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("-platform") || arguments.at(i) == QLatin1String("--platform"))
            platform = arguments.at(i + 1);
    }
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.startsWith(QLatin1String("xcb")))
        return x11;
    if (platform.startsWith(QLatin1String("wayland")))
        return wayland;
    return !platform.isEmpty() || x11 || wayland;
}

} // namespace

// skm-car-editor [rom]: opens the given ROM image, or asks for one.
int main(int argc, char *argv[])
{
    // A file-size limit (ulimit -f) makes a write fail with EFBIG, reported
    // like any other failure, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // "skm-car-editor info ROM" and the other subcommands: no window, no display.
    if (argc > 1 && IsSubcommand(QString::fromLocal8Bit(argv[1])))
        return RunCommandLine(argc, argv);

    QCoreApplication::setApplicationName(QStringLiteral("skm-car-editor"));
    // Message boxes and other windows carry the same name as the main window's title.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("SKM [SMD] Car Editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Car editor for Skidmarch Mega Drive ROM images.\n"
                       "Without a command it opens the window. Commands (no window; see\n"
                       "skm-car-editor COMMAND --help): %1.")
            .arg(SubcommandNames().join(QStringLiteral(", "))));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("rom"), QStringLiteral("ROM image to open (*.bin, *.smd)."),
                                 QStringLiteral("[rom]"));

    // Parsed before the window system is reached, so that --help, --version
    // and refused arguments work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QStringList ours = WithoutQtOptions(arguments);
    const bool parsed = parser.parse(ours);
    if (!parsed) {
        QString error = parser.errorText();
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
            // A mistyped option, or a command given as one ("--info").
            const QString nearest = NearestName(unknown.first(), OptionNames(parser));
            if (!nearest.isEmpty())
                error = QStringLiteral("Unknown option '%1'; did you mean --%2?").arg(unknown.first(), nearest);
            else if (IsSubcommand(unknown.first()))
                error = QStringLiteral("Unknown option '%1'; did you mean the command %1?").arg(unknown.first());
        }
        PrintError(QStringLiteral("skm-car-editor: %1 (see skm-car-editor --help)").arg(error));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))
        || parser.isSet(QStringLiteral("version"))) {
        // The help text names the program from the core application; it needs no display.
        const QCoreApplication core(argc, argv);
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp(0);
        parser.process(ours);   // --help-all or --version: prints and exits with 0
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        // "skm-car-editor frob game.bin": a word that names no file stands where a command would.
        const QString &first = positional.first();
        const bool commandLike = !QFileInfo::exists(first) && !first.contains(QLatin1Char('.')) && !first.contains(QLatin1Char('/'));
        PrintError(commandLike ? QStringLiteral("skm-car-editor: unknown command '%1' (see skm-car-editor --help)").arg(first)
                               : QStringLiteral("skm-car-editor: only one ROM file can be given (see skm-car-editor --help)"));
        return 2;
    }
    if (const QString error = UndecodableArgumentError(argc, argv); !error.isEmpty()) {
        PrintError(QStringLiteral("skm-car-editor: %1").arg(error));
        return 2;
    }
    if (positional.size() == 1 && !IsReadableFile(positional.first())) {
        PrintError(QStringLiteral("skm-car-editor: cannot read ROM file \"%1\"")
                       .arg(QDir::toNativeSeparators(positional.first())));
        return 2;
    }

    if (!HasDisplay(arguments)) {
        PrintError(QStringLiteral("no display: set DISPLAY, or use a subcommand; see --help"));
        return 2;
    }
    // On X11 the window's repaints are small (a few numbers and the pixels of
    // the sprite that changed, up to 50 times a second with the animation):
    // handing them over through shared memory costs a round trip to the X
    // server for each, more than sending the pixels. A user's own setting wins.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("skm-car-editor"));
    // The window speaks the system's language; the command line above stays English.
    InstallTranslations(app, QLocale());
    SeedEditorRandom(QTime::currentTime().msec());

    // The ROM check comes before the window: Cancel on a file given on the
    // command line ends the program (status 1) and touches nothing; on a file
    // picked in the dialog it goes back to the dialog, and cancelling the
    // dialog ends the program (status 0).
    // The file as the check read it is the one the window opens: read once.
    // Before the window exists, the questions have no parent.
    WindowPrompts startPrompts;
    std::optional<RomImage> rom;
    if (!positional.isEmpty()) {
        rom = ConfirmRomFile(startPrompts, positional.first());
        if (!rom)
            return 1;
    } else {
        const RecentFiles recent;
        while (!rom) {
            const QString romPath =
                startPrompts
                    .chooseFileToOpen({QObject::tr("Open ROM file"), QString(), QString(), recent.lastFolder(),
                                       {{QObject::tr("ROM images (*.bin *.smd *.gen *.md)"), {}},
                                        {QObject::tr("All files (*)"), {}}}})
                    .path;
            if (romPath.isEmpty())
                return 0;
            rom = ConfirmRomFile(startPrompts, romPath);
        }
    }

    // Destroyed before the application object.
    auto window = std::make_unique<SKMcarEditor>(*rom);
    // Told to stop (SIGTERM, SIGINT, SIGHUP): the session ends as at a
    // logout, no question asked of a user who may not be there; the unsaved
    // changes are on disk at once and offered at the next start.
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::stopRequested, window.get(), [&window] {
        window->EndSession();
        QCoreApplication::exit(0);
    });
    window->show();
    const int status = app.exec();
    window.reset();   // emulators and links end, the recovery lock goes
    stop.EndByReceivedSignal();
    return status;
}
