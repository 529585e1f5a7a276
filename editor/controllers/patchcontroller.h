#pragma once

#include <QObject>
#include <QString>

class CarDocument;
class Prompts;

class ActionRegistry;
class StatusSink;

// "Create Patch...": an IPS or BPS file (by suffix) that turns the ROM file as
// it was opened into the ROM as a save would write it now, without saving.
class PatchController : public QObject
{
    Q_OBJECT

public:
    PatchController(CarDocument &document, Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                    QObject *parent);

    // Registers "Create Patch..." (actionCreatePatch).
    // The bytes the patch starts from and the ones it gives.
    QByteArray OriginalBytes() const;
    QByteArray ModifiedBytes() const;

    // Writes the patch; empty on success, else the message naming the file
    // and the reason.
    QString WritePatchTo(const QString &fileName);

public slots:
    void CreatePatch();

private:
    CarDocument &document;
    Prompts &prompts;
    StatusSink &status;
};
