#include "patch/patchfile.h"

#include <QFileInfo>
#include <QSaveFile>

#include "patch/bpspatch.h"
#include "patch/ipspatch.h"

namespace {

bool Fail(QString *error, const QString &fileName, const QString &reason)
{
    if (error)
        *error = QStringLiteral("Cannot write patch \"%1\": %2").arg(fileName, reason);
    return false;
}

}  // namespace

std::optional<PatchFormat> PatchFormatFor(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(QLatin1String("ips"), Qt::CaseInsensitive) == 0)
        return PatchFormat::Ips;
    if (suffix.compare(QLatin1String("bps"), Qt::CaseInsensitive) == 0)
        return PatchFormat::Bps;
    return std::nullopt;
}

std::optional<QByteArray> MakePatch(PatchFormat format, const QByteArray &original, const QByteArray &modified,
                                    QString *error)
{
    if (format == PatchFormat::Ips)
        return MakeIpsPatch(original, modified, error);
    return MakeBpsPatch(original, modified);
}

bool WritePatchFile(const QString &fileName, const QByteArray &original, const QByteArray &modified, QString *error)
{
    const std::optional<PatchFormat> format = PatchFormatFor(fileName);
    if (!format)
        return Fail(error, fileName, QStringLiteral("the name must end in .ips or .bps"));
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        return Fail(error, fileName, QStringLiteral("it is not a regular file"));

    QString reason;
    const std::optional<QByteArray> patch = MakePatch(*format, original, modified, &reason);
    if (!patch)
        return Fail(error, fileName, reason);

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, fileName, file.errorString());
    if (file.write(*patch) != patch->size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Fail(error, fileName, why);
    }
    if (!file.commit())
        return Fail(error, fileName, file.errorString());
    return true;
}
