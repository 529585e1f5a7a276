#include "exchange/picturecheck.h"

namespace {

int Byte(const QByteArray &data, qsizetype i)
{
    return static_cast<unsigned char>(data.at(i));
}

quint32 Little32(const QByteArray &data, qsizetype i)
{
    return quint32(Byte(data, i)) | quint32(Byte(data, i + 1)) << 8 | quint32(Byte(data, i + 2)) << 16
           | quint32(Byte(data, i + 3)) << 24;
}

int Little16(const QByteArray &data, qsizetype i)
{
    return Byte(data, i) | Byte(data, i + 1) << 8;
}

// Skips a chain of GIF data sub-blocks starting at pos; -1 if the data ends first.
qsizetype SkipGifSubBlocks(const QByteArray &data, qsizetype pos)
{
    while (pos < data.size()) {
        const int length = Byte(data, pos);
        ++pos;
        if (length == 0)
            return pos;
        pos += length;
    }
    return -1;
}

// Walks BMP run-length data (RLE8, or RLE4 with two pixels a byte) up to its
// end-of-bitmap escape; false if the data ends first.
bool RunLengthDataComplete(const QByteArray &data, qsizetype pos, bool fourBit)
{
    const qsizetype n = data.size();
    while (pos + 1 < n) {
        const int count = Byte(data, pos);
        const int code = Byte(data, pos + 1);
        pos += 2;
        if (count > 0)
            continue;   // a run: count pixels of one value
        if (code == 1)
            return true;   // end of bitmap
        if (code == 0)
            continue;   // end of line
        if (code == 2) {   // delta: two more bytes
            pos += 2;
            continue;
        }
        // Absolute mode: code pixels, padded to an even number of bytes.
        const qsizetype bytes = fourBit ? (code + 1) / 2 : code;
        pos += bytes + (bytes & 1);
    }
    return false;
}

}  // namespace

bool JpegDataComplete(const QByteArray &data)
{
    const qsizetype n = data.size();
    if (n < 4 || Byte(data, 0) != 0xFF || Byte(data, 1) != 0xD8)
        return false;
    qsizetype pos = 2;
    while (pos + 1 < n) {
        if (Byte(data, pos) != 0xFF)
            return false;
        const int marker = Byte(data, pos + 1);
        if (marker == 0xFF) {   // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xD9)   // end of image
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {   // no length field
            pos += 2;
            continue;
        }
        if (pos + 3 >= n)
            return false;
        const int length = Byte(data, pos + 2) << 8 | Byte(data, pos + 3);
        if (length < 2)
            return false;
        pos += 2 + length;
        if (pos > n)
            return false;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is neither a
            // stuffed 0xFF00 nor a restart marker.
            while (pos + 1 < n) {
                if (Byte(data, pos) == 0xFF) {
                    const int next = Byte(data, pos + 1);
                    if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7) && next != 0xFF)
                        break;
                    if (next == 0xFF) {
                        ++pos;
                        continue;
                    }
                }
                ++pos;
            }
        }
    }
    return false;
}

bool GifDataComplete(const QByteArray &data)
{
    const qsizetype n = data.size();
    if (n < 13 || !data.startsWith("GIF8"))
        return false;
    qsizetype pos = 13;
    const int screenFlags = Byte(data, 10);
    if (screenFlags & 0x80)
        pos += 3 * (qsizetype(1) << ((screenFlags & 7) + 1));
    while (pos < n) {
        const int block = Byte(data, pos);
        if (block == 0x3B)   // trailer
            return true;
        if (block == 0x21) {   // extension: label, then sub-blocks
            pos = SkipGifSubBlocks(data, pos + 2);
        } else if (block == 0x2C) {   // image descriptor, optional local table, LZW data
            if (pos + 10 > n)
                return false;
            const int imageFlags = Byte(data, pos + 9);
            pos += 10;
            if (imageFlags & 0x80)
                pos += 3 * (qsizetype(1) << ((imageFlags & 7) + 1));
            pos = SkipGifSubBlocks(data, pos + 1);   // after the LZW minimum code size
        } else {
            return false;
        }
        if (pos < 0)
            return false;
    }
    return false;
}

bool BmpDataComplete(const QByteArray &data)
{
    const qsizetype n = data.size();
    if (n < 26 || !data.startsWith("BM"))
        return false;
    const quint32 pixelOffset = Little32(data, 10);
    const quint32 headerSize = Little32(data, 14);
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    if (headerSize == 12) {   // OS/2 core header
        width = Little16(data, 18);
        height = Little16(data, 20);
        bitsPerPixel = Little16(data, 24);
    } else {
        if (n < 34)
            return false;
        width = qint32(Little32(data, 18));
        height = qint32(Little32(data, 22));
        bitsPerPixel = Little16(data, 28);
        compression = Little32(data, 30);
    }
    if (pixelOffset > quint64(n))
        return false;
    if (compression == 1 || compression == 2)
        return RunLengthDataComplete(data, pixelOffset, compression == 2);
    // Other compressions (embedded JPEG or PNG) are checked by their readers.
    if (compression != 0 && compression != 3)
        return true;
    if (width <= 0 || bitsPerPixel <= 0)
        return false;
    const qint64 rows = height < 0 ? -height : height;
    if (rows == 0)
        return false;
    const qint64 stride = ((width * bitsPerPixel + 31) / 32) * 4;
    return stride <= (n - qint64(pixelOffset)) / rows;   // stride * rows could overflow
}

bool PictureDataComplete(const QByteArray &data)
{
    if (data.startsWith("\xFF\xD8"))
        return JpegDataComplete(data);
    if (data.startsWith("GIF8"))
        return GifDataComplete(data);
    if (data.startsWith("BM"))
        return BmpDataComplete(data);
    return true;
}
