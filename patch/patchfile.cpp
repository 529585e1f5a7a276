#include "patch/patchfile.h"

#include <QFileInfo>

#include "patch/bpspatch.h"
#include "patch/ipspatch.h"

std::optional<PatchFormat> PatchFormatFor(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(QLatin1String("ips"), Qt::CaseInsensitive) == 0)
        return PatchFormat::Ips;
    if (suffix.compare(QLatin1String("bps"), Qt::CaseInsensitive) == 0)
        return PatchFormat::Bps;
    return std::nullopt;
}

Result<QByteArray> MakePatch(PatchFormat format, const QByteArray &original, const QByteArray &modified)
{
    if (format == PatchFormat::Bps)
        return MakeBpsPatch(original, modified);
    QString reason;
    std::optional<QByteArray> patch = MakeIpsPatch(original, modified, &reason);
    if (!patch)
        return Failure{{}, reason, 0, {}};
    return *std::move(patch);
}

Result<QByteArray> PatchFileBytes(const QString &fileName, const QByteArray &original, const QByteArray &modified)
{
    const auto fail = [&](const QString &reason) { return Failure{fileName, reason, 0, Failure::Action::WritePatch}; };
    const std::optional<PatchFormat> format = PatchFormatFor(fileName);
    if (!format)
        return fail(QStringLiteral("the name must end in .ips or .bps"));
    Result<QByteArray> patch = MakePatch(*format, original, modified);
    if (!patch)
        return fail(patch.failure().reason);
    return patch;
}
