#include "editor/dialogs/romcheckdialog.h"

#include <QObject>

#include "editor/window/prompts.h"
#include "rom/romcheck.h"
#include "rom/romimage.h"

std::optional<RomImage> ConfirmRomFile(Prompts &prompts, const QString &path)
{
    Result<RomImage> image = RomImage::Load(path);
    if (!image) {
        prompts.showFailure(QObject::tr("Open ROM"), image.failure());
        return std::nullopt;
    }
    const QStringList problems = RomContentsFromFile(path, image->fileBytes).problems;
    if (problems.isEmpty())
        return *image;
    if (!prompts.confirm({QObject::tr("Open ROM"), problems.join(QLatin1Char('\n')),
                          QObject::tr("Open it anyway? A save never makes it larger without asking."),
                          QObject::tr("Open Anyway"), false}))
        return std::nullopt;
    return *image;
}
