// makedemorom: writes a demo cartridge image holding the factory cars, for
// trying the editor without a game ROM.

#include <cstdio>

#include <QCoreApplication>
#include <QStringList>

#include "demorom.h"
#include "factorytables.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args[1].startsWith('-')) {
        std::fprintf(stderr, "usage: makedemorom OUTPUT.bin\n");
        return 2;
    }
    QString error;
    if (!WriteDemoRom(args[1], GenerateFactoryData(), &error)) {
        std::fprintf(stderr, "makedemorom: cannot write %s: %s\n", qPrintable(args[1]), qPrintable(error));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(args[1]));
    return 0;
}
