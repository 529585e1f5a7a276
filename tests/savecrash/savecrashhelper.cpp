// savecrash_helper: saves a ROM image the way the editor does, for the
// save-crash test to interrupt.
//
//   savecrash_helper loop ROM
//       loads ROM, then saves changed data and the loaded data in turn,
//       forever; prints "saving" once the first save starts. Meant to be
//       killed.
//   savecrash_helper limited ROM BYTES
//       saves changed data once with the process's file size limited to
//       BYTES, so that writing runs out of room part-way, as on a full disk.
//       Exits 0 when the save reported the failure, 3 when it claimed success.
//   savecrash_helper once ROM
//       loads ROM and saves changed data into it once, as the window does.
//       Prints "replaced", "in place" or the error; exits 0 when saved, 1 when
//       not. Run under another user by the test.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/resource.h>

#include <QString>

#include "common/romfiles.h"
#include "rom/romreader.h"
#include "rom/romsave.h"
#include "rom/romwriter.h"
#include "savecrashdata.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: savecrash_helper loop ROM | limited ROM BYTES | once ROM\n");
    return 2;
}

[[noreturn]] void saveForever(const QString &rom)
{
    const CarData loaded = ReadRom(rom);
    const CarData changed = SaveCrashData(1);
    std::printf("saving\n");
    std::fflush(stdout);
    for (;;) {
        WriteRom(rom, changed);
        WriteRom(rom, loaded);
    }
}

int saveLimited(const QString &rom, long long bytes)
{
    // Past the limit write() fails with EFBIG instead of the process being
    // killed by SIGXFSZ.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        std::perror("setrlimit");
        return 2;
    }
    QString error;
    if (WriteRom(rom, SaveCrashData(1), &error)) {
        std::printf("save reported success\n");
        return 3;
    }
    std::printf("%s\n", qPrintable(error));
    return 0;
}

int saveOnce(const QString &rom)
{
    Result<RomImage> image = RomImage::Load(rom);
    if (!image) {
        std::printf("%s\n", qPrintable(image.message()));
        return 1;
    }
    const Result<SaveMethod> result = SaveCarData(*image, SaveCrashData(1));
    if (!result) {
        std::printf("%s\n", qPrintable(result.message()));
        return 1;
    }
    std::printf("%s\n", *result == SaveMethod::InPlace ? "in place" : "replaced");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "loop") == 0)
        saveForever(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "limited") == 0)
        return saveLimited(QString::fromLocal8Bit(argv[2]), std::atoll(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "once") == 0)
        return saveOnce(QString::fromLocal8Bit(argv[2]));
    return usage();
}
