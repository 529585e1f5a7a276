#include "editor/romcheckdialog.h"

#include <QMessageBox>
#include <QPushButton>

#include "rom/romcheck.h"
#include "rom/romimage.h"

std::optional<RomImage> ConfirmRomFile(QWidget *parent, const QString &path)
{
    Result<RomImage> image = RomImage::Load(path);
    if (!image) {
        QMessageBox::critical(parent, QObject::tr("Open ROM"), image.message());
        return std::nullopt;
    }
    const QStringList problems = RomContentsFromFile(path, image->fileBytes).problems;
    if (problems.isEmpty())
        return *image;

    QMessageBox warning(QMessageBox::Warning, QObject::tr("Open ROM"), problems.join(QLatin1Char('\n')),
                        QMessageBox::NoButton, parent);
    warning.setInformativeText(QObject::tr("Open it anyway? A save never makes it larger without asking."));
    warning.setStandardButtons(QMessageBox::Open | QMessageBox::Cancel);
    warning.button(QMessageBox::Open)->setText(QObject::tr("Open Anyway"));
    warning.setDefaultButton(QMessageBox::Cancel);
    if (warning.exec() != QMessageBox::Open)
        return std::nullopt;
    return *image;
}
