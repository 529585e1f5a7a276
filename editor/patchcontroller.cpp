#include "editor/patchcontroller.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "patch/patchfile.h"
#include "rom/outputfile.h"
#include "rom/romwriter.h"

namespace {

const QString kIpsFilter = QStringLiteral("IPS patch (*.ips)");
const QString kBpsFilter = QStringLiteral("BPS patch (*.bps)");

} // namespace

PatchController::PatchController(EditorContext &context, QObject *parent) : QObject(parent), context(context)
{
    setObjectName(QStringLiteral("patchController"));
    createAction = new QAction(tr("Create Patch..."), this);
    createAction->setObjectName(QStringLiteral("actionCreatePatch"));
    connect(createAction, &QAction::triggered, this, &PatchController::CreatePatch);
}

QByteArray PatchController::OriginalBytes() const
{
    return context.document->openedFileBytes();
}

QByteArray PatchController::ModifiedBytes() const
{
    return context.document->bytesToSave();
}

QString PatchController::WritePatchTo(const QString &fileName)
{
    const Result<QByteArray> patch = PatchFileBytes(fileName, OriginalBytes(), ModifiedBytes());
    if (!patch)
        return patch.message();
    if (const Result<void> written = WriteOutputFile(fileName, *patch); !written)
        return written.message();
    const QFileInfo written(fileName);
    emit statusMessage(tr("Wrote %1 (%2 bytes)").arg(written.fileName(), QString::number(written.size())));
    return {};
}

void PatchController::CreatePatch()
{
    const QFileInfo rom(context.document->image().path);
    const QString start = folder.isEmpty() ? rom.absolutePath() : folder;
    QString filter;
    QString fileName = QFileDialog::getSaveFileName(context.window, tr("Create Patch"),
                                                    QDir(start).filePath(rom.completeBaseName() + QStringLiteral(".ips")),
                                                    kIpsFilter + QStringLiteral(";;") + kBpsFilter, &filter);
    if (fileName.isEmpty())
        return;
    folder = QFileInfo(fileName).absolutePath();
    if (!PatchFormatFor(fileName))
        fileName += filter == kBpsFilter ? QStringLiteral(".bps") : QStringLiteral(".ips");
    const QString error = WritePatchTo(fileName);
    if (error.isEmpty())
        return;
    QMessageBox box(context.window);
    box.setIcon(QMessageBox::Warning);
    box.setText(error);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}
