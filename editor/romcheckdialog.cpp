#include "editor/romcheckdialog.h"

#include <QMessageBox>
#include <QPushButton>

#include "rom/romcheck.h"
#include "rom/romimage.h"

bool ConfirmRomFile(QWidget *parent, const QString &path)
{
    QString error;
    const std::optional<RomImage> image = RomImage::Load(path, &error);
    if (!image) {
        QMessageBox::critical(parent, QObject::tr("Open ROM"), error);
        return false;
    }
    const QStringList problems = RomContentsFromFile(path, image->fileBytes).problems;
    if (problems.isEmpty())
        return true;

    QMessageBox warning(QMessageBox::Warning, QObject::tr("Open ROM"), problems.join(QLatin1Char('\n')),
                        QMessageBox::NoButton, parent);
    warning.setInformativeText(QObject::tr("Open it anyway? A save never makes it larger without asking."));
    warning.setStandardButtons(QMessageBox::Open | QMessageBox::Cancel);
    warning.button(QMessageBox::Open)->setText(QObject::tr("Open Anyway"));
    warning.setDefaultButton(QMessageBox::Cancel);
    return warning.exec() == QMessageBox::Open;
}
