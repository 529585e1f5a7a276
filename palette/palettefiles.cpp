#include "palette/palettefiles.h"

#include <QFile>
#include <QFileInfo>

#include "rom/colorword.h"
#include "rom/outputfile.h"

namespace {

// No palette file of 16 colours comes near this, comments included.
constexpr qint64 kLargestPaletteFile = 1024 * 1024;
constexpr int kActEntries = 256;
constexpr int kActTableBytes = 3 * kActEntries;   // 768
constexpr int kActFullBytes = kActTableBytes + 4;  // 772

using Colors = QList<QColor>;

Failure Refuse(const QString &reason)
{
    return Failure{{}, reason, 0, {}};
}

QString LineError(int line, const QString &reason)
{
    return QStringLiteral("line %1: %2").arg(line).arg(reason);
}

QString ByteError(qsizetype byte, const QString &reason)
{
    return QStringLiteral("byte %1: %2").arg(byte).arg(reason);
}

QString TooManyColors()
{
    return QStringLiteral("more than %1 colours").arg(kPaletteFileColors);
}

QString NoColors()
{
    return QStringLiteral("the file holds no colours");
}

// The lines of a text file without line ends (LF or CR LF) and without a UTF-8 byte-order mark.
QList<QByteArray> TextLines(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "red green blue" (0..255 each) in the first three fields of a line.
std::optional<QColor> ColorFromFields(const QList<QByteArray> &fields)
{
    if (fields.size() < 3)
        return std::nullopt;
    int value[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        value[i] = fields[i].toInt(&ok);
        if (!ok || value[i] < 0 || value[i] > 255)
            return std::nullopt;
    }
    return QuantizeColor(QColor(value[0], value[1], value[2]));
}

QString ExpectedColorLine()
{
    return QStringLiteral("expected red, green and blue values 0 to 255");
}

Result<Colors> ParseGimp(const QByteArray &bytes)
{
    const QList<QByteArray> lines = TextLines(bytes);
    if (lines.isEmpty() || lines[0].trimmed() != "GIMP Palette")
        return Refuse(LineError(1, QStringLiteral("not a GIMP palette (\"GIMP Palette\" expected)")));
    Colors colors;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith("Name:") || line.startsWith("Columns:"))
            continue;
        const std::optional<QColor> color = ColorFromFields(line.simplified().split(' '));
        if (!color)
            return Refuse(LineError(i + 1, ExpectedColorLine()));
        if (colors.size() == kPaletteFileColors)
            return Refuse(LineError(i + 1, TooManyColors()));
        colors.append(*color);
    }
    if (colors.isEmpty())
        return Refuse(NoColors());
    return colors;
}

Result<Colors> ParseJasc(const QByteArray &bytes)
{
    const QList<QByteArray> lines = TextLines(bytes);
    if (lines.isEmpty() || lines[0].trimmed() != "JASC-PAL")
        return Refuse(LineError(1, QStringLiteral("not a JASC palette (\"JASC-PAL\" expected)")));
    if (lines.size() < 2 || lines[1].trimmed() != "0100")
        return Refuse(LineError(2, QStringLiteral("unknown version (\"0100\" expected)")));
    bool ok = false;
    const int count = lines.size() < 3 ? -1 : lines[2].trimmed().toInt(&ok);
    if (!ok || count < 0)
        return Refuse(LineError(3, QStringLiteral("expected the number of colours")));
    if (count > kPaletteFileColors)
        return Refuse(LineError(3, QStringLiteral("%1 colours, %2").arg(count).arg(TooManyColors())));
    if (count == 0)
        return Refuse(NoColors());
    Colors colors;
    for (int i = 3; i < 3 + count; ++i) {
        if (i >= lines.size())
            return Refuse(LineError(i + 1, QStringLiteral("missing; the file announces %1 colours").arg(count)));
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        const std::optional<QColor> color = fields.size() <= 4 ? ColorFromFields(fields) : std::nullopt;
        if (!color)
            return Refuse(LineError(i + 1, ExpectedColorLine()));
        colors.append(*color);
    }
    for (int i = 3 + count; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            return Refuse(LineError(i + 1, QStringLiteral("more lines than the %1 colours announced").arg(count)));
    }
    return colors;
}

Result<Colors> ParseAct(const QByteArray &bytes)
{
    const auto byte = [&bytes](qsizetype at) { return static_cast<unsigned char>(bytes.at(at)); };
    if (bytes.size() != kActTableBytes && bytes.size() != kActFullBytes)
        return Refuse(ByteError(std::min<qsizetype>(bytes.size(), kActTableBytes),
                                       QStringLiteral("a colour table has 768 or 772 bytes, this file %1")
                                           .arg(bytes.size())));
    int count = kPaletteFileColors;
    if (bytes.size() == kActFullBytes) {
        count = byte(kActTableBytes) << 8 | byte(kActTableBytes + 1);
        if (count == 0)
            return Refuse(NoColors());
        if (count > kPaletteFileColors)
            return Refuse(ByteError(kActTableBytes, QStringLiteral("%1 colours, %2").arg(count).arg(TooManyColors())));
    } else {
        for (qsizetype at = 3 * kPaletteFileColors; at < kActTableBytes; ++at) {
            if (byte(at) != 0)
                return Refuse(ByteError(at, TooManyColors() + QStringLiteral(" (entry %1 is not black padding)")
                                                                         .arg(at / 3)));
        }
    }
    Colors colors;
    for (int i = 0; i < count; ++i)
        colors.append(QuantizeColor(QColor(byte(3 * i), byte(3 * i + 1), byte(3 * i + 2))));
    return colors;
}

Result<Colors> ParseWords(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return Refuse(NoColors());
    if (bytes.size() > 2 * kPaletteFileColors)
        return Refuse(ByteError(2 * kPaletteFileColors, TooManyColors()));
    if (bytes.size() % 2 != 0)
        return Refuse(ByteError(bytes.size() - 1, QStringLiteral("half a colour word (the size is odd)")));
    Colors colors;
    for (qsizetype at = 0; at < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes.at(at));
        const auto second = static_cast<unsigned char>(bytes.at(at + 1));
        if ((first & 0xF1) != 0 || (second & 0x11) != 0)
            return Refuse(ByteError((first & 0xF1) ? at : at + 1,
                                           QStringLiteral("not a colour word (0000BBB0 GGG0RRR0 expected)")));
        colors.append(ColorFromWord(first, second));
    }
    return colors;
}

QByteArray GimpBytes(const Colors &colors, const QString &name)
{
    QByteArray out("GIMP Palette\n");
    out += "Name: " + (name.isEmpty() ? QByteArray("Palette") : name.simplified().toUtf8()) + "\n";
    out += "Columns: 16\n#\n";
    for (int i = 0; i < colors.size(); ++i) {
        const QRgb rgb = colors[i].rgb();
        out += QStringLiteral("%1 %2 %3\tIndex %4\n")
                   .arg(qRed(rgb), 3)
                   .arg(qGreen(rgb), 3)
                   .arg(qBlue(rgb), 3)
                   .arg(i)
                   .toLatin1();
    }
    return out;
}

QByteArray JascBytes(const Colors &colors)
{
    QByteArray out("JASC-PAL\r\n0100\r\n" + QByteArray::number(colors.size()) + "\r\n");
    for (const QColor &color : colors) {
        const QRgb rgb = color.rgb();
        out += QByteArray::number(qRed(rgb)) + ' ' + QByteArray::number(qGreen(rgb)) + ' '
               + QByteArray::number(qBlue(rgb)) + "\r\n";
    }
    return out;
}

QByteArray ActBytes(const Colors &colors)
{
    QByteArray out(kActFullBytes, '\0');
    for (int i = 0; i < colors.size(); ++i) {
        const QRgb rgb = colors[i].rgb();
        out[3 * i] = static_cast<char>(qRed(rgb));
        out[3 * i + 1] = static_cast<char>(qGreen(rgb));
        out[3 * i + 2] = static_cast<char>(qBlue(rgb));
    }
    out[kActTableBytes] = 0;
    out[kActTableBytes + 1] = static_cast<char>(colors.size());
    out[kActTableBytes + 2] = static_cast<char>(0xFF);   // no transparent entry
    out[kActTableBytes + 3] = static_cast<char>(0xFF);
    return out;
}

QByteArray WordBytes(const Colors &colors)
{
    QByteArray out;
    for (const QColor &color : colors) {
        const ColorWord word = WordFromColor(color);
        out.append(static_cast<char>(word.first));
        out.append(static_cast<char>(word.second));
    }
    return out;
}

Failure FileError(Failure::Action action, const QString &fileName, const QString &reason)
{
    return Failure{fileName, reason, 0, action};
}

QString SuffixReason()
{
    return QStringLiteral("the name must end in .gpl, .pal, .act or .bin");
}

}  // namespace

std::optional<PaletteFileFormat> PaletteFileFormatFor(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("gpl"))
        return PaletteFileFormat::Gimp;
    if (suffix == QLatin1String("pal"))
        return PaletteFileFormat::Jasc;
    if (suffix == QLatin1String("act"))
        return PaletteFileFormat::Act;
    if (suffix == QLatin1String("bin"))
        return PaletteFileFormat::Words;
    return std::nullopt;
}

Result<QList<QColor>> ParsePaletteBytes(const QByteArray &bytes, PaletteFileFormat format)
{
    switch (format) {
    case PaletteFileFormat::Gimp:
        return ParseGimp(bytes);
    case PaletteFileFormat::Jasc:
        return ParseJasc(bytes);
    case PaletteFileFormat::Act:
        return ParseAct(bytes);
    case PaletteFileFormat::Words:
        return ParseWords(bytes);
    }
    return Refuse(QStringLiteral("unknown format"));
}

QByteArray PaletteFileBytes(PaletteFileFormat format, const QList<QColor> &colors, const QString &name)
{
    const Colors written = colors.mid(0, kPaletteFileColors);
    switch (format) {
    case PaletteFileFormat::Gimp:
        return GimpBytes(written, name);
    case PaletteFileFormat::Jasc:
        return JascBytes(written);
    case PaletteFileFormat::Act:
        return ActBytes(written);
    case PaletteFileFormat::Words:
        return WordBytes(written);
    }
    return {};
}

Result<QList<QColor>> ReadPaletteFile(const QString &fileName)
{
    const Failure::Action verb = Failure::Action::ReadPaletteFile;
    const std::optional<PaletteFileFormat> format = PaletteFileFormatFor(fileName);
    if (!format)
        return FileError(verb, fileName, SuffixReason());
    const QFileInfo info(fileName);
    if (!info.exists())
        return FileError(verb, fileName, QStringLiteral("no such file"));
    if (!info.isFile())
        return FileError(verb, fileName, QStringLiteral("not a regular file"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return FileError(verb, fileName, file.errorString());
    if (file.isSequential() || file.size() > kLargestPaletteFile)
        return FileError(verb, fileName, QStringLiteral("too large for a palette file"));
    const QByteArray bytes = file.read(kLargestPaletteFile + 1);
    if (file.error() != QFileDevice::NoError)
        return FileError(verb, fileName, file.errorString());
    if (bytes.size() > kLargestPaletteFile)
        return FileError(verb, fileName, QStringLiteral("too large for a palette file"));
    Result<Colors> colors = ParsePaletteBytes(bytes, *format);
    if (!colors)
        return FileError(verb, fileName, colors.failure().reason);
    return colors;
}

Result<void> WritePaletteFile(const QString &fileName, const QList<QColor> &colors, const QString &name)
{
    const Failure::Action verb = Failure::Action::WritePaletteFile;
    const std::optional<PaletteFileFormat> format = PaletteFileFormatFor(fileName);
    if (!format)
        return FileError(verb, fileName, SuffixReason());
    Result<void> written = WriteOutputFile(fileName, PaletteFileBytes(*format, colors, name));
    if (!written) {
        Failure failure = written.failure();
        failure.action = verb;
        return failure;
    }
    return {};
}
