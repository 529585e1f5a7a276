#include "document/editcommand.h"

#include "document/cardocument.h"

EditCommand::EditCommand(CarDocument *document, const QString &text, StepFocus focus, DocumentDelta delta, int id,
                         QList<int> mergeKey)
    : QUndoCommand(text), document(document), focus(focus), change(std::move(delta)), commandId(id),
      mergeKey(std::move(mergeKey))
{
}

void EditCommand::undo()
{
    document->applyDelta(change, false, focus, true);
}

void EditCommand::redo()
{
    document->applyDelta(change, true, focus, pushed);
    pushed = true;
}

bool EditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *later = dynamic_cast<const EditCommand *>(other);
    if (!later || later->commandId != commandId || commandId == kNoMerge || commandId == kDrawCommand
        || later->mergeKey != mergeKey)
        return false;
    change.mergeLater(later->change);
    setText(later->text());
    // Typed back to where it began: the step has nothing left to undo.
    setObsolete(change.isEmpty());
    return true;
}
