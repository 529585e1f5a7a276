#include "editor/controllers/patchcontroller.h"

#include <QAction>
#include <QFileInfo>

#include "document/cardocument.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "patch/patchfile.h"
#include "rom/outputfile.h"

namespace {

// Made when asked for, so that they are in the language loaded by then.
QString IpsFilter()
{
    return PatchController::tr("IPS patch (*.ips)");
}

QString BpsFilter()
{
    return PatchController::tr("BPS patch (*.bps)");
}

} // namespace

static bool IsPatchFileName(const QString &path)
{
    return PatchFormatFor(path).has_value();
}

PatchController::PatchController(CarDocument &document, Prompts &prompts, StatusSink &status,
                                 ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("patchController"));
    connect(actions.add({QStringLiteral("actionCreatePatch"), tr("Create Pa&tch...")}), &QAction::triggered, this, &PatchController::CreatePatch);
}

QByteArray PatchController::OriginalBytes() const
{
    return document.openedFileBytes();
}

QByteArray PatchController::ModifiedBytes() const
{
    return document.bytesToSave();
}

QString PatchController::WritePatchTo(const QString &fileName)
{
    const Result<QByteArray> patch = PatchFileBytes(fileName, OriginalBytes(), ModifiedBytes());
    if (!patch)
        return patch.message();
    if (const Result<void> written = WriteOutputFile(fileName, *patch); !written)
        return written.message();
    const QFileInfo written(fileName);
    status.showStatus(tr("Wrote %1 (%2 bytes)").arg(written.fileName(), QString::number(written.size())));
    return {};
}

void PatchController::CreatePatch()
{
    const QFileInfo rom(document.image().path);
    const FileRequest request{tr("Create Patch"), QStringLiteral("patch"),
                              rom.completeBaseName() + QStringLiteral(".ips"), rom.absolutePath(),
                              {{IpsFilter(), QStringLiteral(".ips")}, {BpsFilter(), QStringLiteral(".bps")}}};
    const std::optional<QString> fileName =
        PathToWrite(prompts, prompts.chooseFileToSave(request), request, IsPatchFileName);
    if (!fileName)
        return;
    const QString error = WritePatchTo(*fileName);
    if (!error.isEmpty())
        prompts.warn(tr("Create Patch"), error);
}
