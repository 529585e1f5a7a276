#pragma once

#include <QList>
#include <QUndoCommand>

#include "document/commandids.h"
#include "document/documentdelta.h"

class CarDocument;

// One step of the editor: the items it changed with their values before and
// after. redo() puts the after values into the document, undo() the before
// values; both then ask the window to show the car, sprite and palette the
// step concerned. Steps of the same id and merge key fold into one.
class EditCommand : public QUndoCommand
{
public:
    EditCommand(CarDocument *document, const QString &text, StepFocus focus, DocumentDelta delta,
                int id = kNoMerge, QList<int> mergeKey = {});

    void undo() override;
    void redo() override;
    int id() const override { return commandId; }
    bool mergeWith(const QUndoCommand *other) override;

    const DocumentDelta &delta() const { return change; }

private:
    CarDocument *document;
    StepFocus focus;
    DocumentDelta change;
    int commandId;
    QList<int> mergeKey;
    // The first redo() is the push: it puts the change in without asking the
    // window to move to it (the change was made where the user is).
    bool pushed = false;
};
