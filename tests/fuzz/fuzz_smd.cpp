// Interleaved .smd images: any file is either refused with a reason or read
// to a plain image that writes back byte-identical; every byte lands where the
// block layout says; RomContentsFromFile never fails on what it is given.
//
// The input is taken as a file as it is, and, since the fuzzer rarely meets
// the header mark and a whole number of 16 KiB blocks, once more with the mark
// set and (when the first byte is odd) the body padded to whole blocks.

#include <cstdint>

#include "fuzzsupport.h"
#include "rom/romcheck.h"
#include "rom/smdformat.h"

namespace {

void checkFile(const QByteArray &file)
{
    QByteArray plain;
    QString reason;
    const bool read = DeinterleaveSmd(file, &plain, &reason);
    FUZZ_CHECK(read || (!reason.isEmpty() && plain.isEmpty()));
    FUZZ_CHECK(!read || LooksLikeSmd(file));

    const RomContents image = RomContentsFromFile(QStringLiteral("fuzz.smd"), file);
    FUZZ_CHECK(image.plain == (read ? plain : file));
    FUZZ_CHECK(image.smdHeader.isEmpty() != read);
    if (!read)
        return;

    FUZZ_CHECK(plain.size() == file.size() - kSmdHeaderSize);
    // The same file again; only a block count below the blocks there are is raised.
    const QByteArray again = InterleaveSmd(file.left(kSmdHeaderSize), plain);
    FUZZ_CHECK(again.mid(1) == file.mid(1));
    FUZZ_CHECK(again.at(0) == file.at(0) || quint8(again.at(0)) == plain.size() / kSmdBlockSize);
    // Spot checks of the layout: the first, middle and last pairs of every block.
    for (qsizetype block = 0; block < plain.size(); block += kSmdBlockSize) {
        for (const qsizetype i : {qsizetype(0), qsizetype(4095), qsizetype(8191)}) {
            const qsizetype at = kSmdHeaderSize + block;
            FUZZ_CHECK(file.at(at + i) == plain.at(block + 2 * i + 1));
            FUZZ_CHECK(file.at(at + kSmdBlockSize / 2 + i) == plain.at(block + 2 * i));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), static_cast<qsizetype>(size));
    checkFile(input);
    if (size == 0)
        return 0;

    QByteArray marked = input;
    if (marked.size() < kSmdHeaderSize)
        marked.append(QByteArray(kSmdHeaderSize - marked.size(), '\0'));
    marked[1] = 0x03;
    marked[8] = static_cast<char>(0xAA);
    marked[9] = static_cast<char>(0xBB);
    if (bytes[0] & 1) {
        const qsizetype body = marked.size() - kSmdHeaderSize;
        const qsizetype blocks = qMax<qsizetype>(1, (body + kSmdBlockSize - 1) / kSmdBlockSize);
        marked.append(QByteArray(kSmdHeaderSize + blocks * kSmdBlockSize - marked.size(), '\x5A'));
    }
    checkFile(marked);

    // A plain image written out and read back: padded to whole blocks, the
    // header kept.
    const QByteArray written = InterleaveSmd(marked.left(kSmdHeaderSize), input);
    FUZZ_CHECK(written.mid(1, kSmdHeaderSize - 1) == marked.mid(1, kSmdHeaderSize - 1));
    const auto named = quint8(marked.at(0));
    const qsizetype blocks = (written.size() - kSmdHeaderSize) / kSmdBlockSize;
    FUZZ_CHECK(quint8(written.at(0)) == (named != 0 && blocks <= 0xFF && blocks > named ? blocks : named));
    QByteArray back;
    if (DeinterleaveSmd(written, &back)) {
        FUZZ_CHECK(back.left(input.size()) == input);
        FUZZ_CHECK(back.size() % kSmdBlockSize == 0 && back.size() - input.size() < kSmdBlockSize);
        FUZZ_CHECK(back.mid(input.size()) == QByteArray(back.size() - input.size(), '\0'));
    } else {
        // Only a plain header mark ("SEGA" at 0x100 or 0x101) takes it for plain data.
        FUZZ_CHECK(HasMegaDriveMark(written));
    }
    return 0;
}
