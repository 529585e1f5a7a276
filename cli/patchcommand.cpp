#include <cstdlib>

#include "cli/clioptions.h"
#include "cli/clirom.h"
#include "cli/subcommands.h"
#include "patch/patchfile.h"
#include "rom/outputfile.h"
#include "rom/protectedfiles.h"
#include "rom/smdformat.h"

namespace {

const QString kCommand = QStringLiteral("patch");

} // namespace

int RunPatchCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the IPS or BPS patch (chosen by the suffix) that turns ORIGINAL into MODIFIED."));
    parser.addPositionalArgument(QStringLiteral("ORIGINAL"), QStringLiteral("The file as it was."));
    parser.addPositionalArgument(QStringLiteral("MODIFIED"), QStringLiteral("The file as it should become."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("The patch, .ips or .bps."));
    if (const std::optional<int> status =
            ParseCommandLine(parser, kCommand, QStringLiteral("ORIGINAL MODIFIED OUTPUT.ips|.bps"), arguments, 3, 3))
        return *status;

    const QStringList files = parser.positionalArguments();
    if (!PatchFormatFor(files.at(2)))
        return UsageError(kCommand, QStringLiteral("\"%1\": the suffix must be .ips or .bps").arg(ShownPath(files.at(2))));
    if (SamePath(files.at(2), files.at(0)) || SamePath(files.at(2), files.at(1)))
        return UsageError(kCommand, QStringLiteral("OUTPUT is one of the files compared"));
    // Neither compared file may become the patch, by any name.
    ProtectFile(files.at(0));
    ProtectFile(files.at(1));
    const Result<QByteArray> original = ReadInputFile(files.at(0), QStringLiteral("original"));
    if (!original)
        return WorkFailed(kCommand, original.message());
    const Result<QByteArray> modified = ReadInputFile(files.at(1), QStringLiteral("modified"));
    if (!modified)
        return WorkFailed(kCommand, modified.message());
    // Patches that are made but cannot be what was meant.
    if (*original == *modified) {
        PrintNote(kCommand, QStringLiteral("%1 and %2 are identical: the patch changes nothing")
                                .arg(ShownPath(files.at(0)), ShownPath(files.at(1))));
    } else if (LooksLikeSmd(*original) != LooksLikeSmd(*modified)
               && std::abs(original->size() - modified->size()) < kSmdHeaderSize + kSmdBlockSize) {
        // One is interleaved, the other is the plain image (the .smd body
        // padded to whole blocks at most): a patch between them is no edit.
        const bool originalSmd = LooksLikeSmd(*original);
        PrintNote(kCommand, QStringLiteral("%1 is interleaved (.smd) and %2 is not: the patch rewrites nearly the "
                                           "whole file; compare two plain images instead (export a plain image "
                                           "of the .smd file first)")
                                .arg(ShownPath(files.at(originalSmd ? 0 : 1)), ShownPath(files.at(originalSmd ? 1 : 0))));
    }
    const Result<QByteArray> patch = PatchFileBytes(files.at(2), *original, *modified);
    if (!patch)
        return WorkFailed(kCommand, patch.message());
    if (const Result<void> written = WriteOutputFile(files.at(2), *patch); !written)
        return WorkFailed(kCommand, written.message());
    return kExitSuccess;
}
