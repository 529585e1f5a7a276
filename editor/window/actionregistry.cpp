#include "editor/window/actionregistry.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

ActionRegistry::ActionRegistry(QWidget &window) : QObject(&window), window(window)
{
    setObjectName(QStringLiteral("actionRegistry"));
}

QAction *ActionRegistry::add(const ActionSpec &spec)
{
    auto *action = new QAction(spec.icon, spec.text, this);
    action->setShortcuts(spec.shortcuts);
    action->setStatusTip(spec.statusTip);
    action->setCheckable(spec.checkable);
    action->setEnabled(spec.enabled);
    return adopt(spec.id, action);
}

QAction *ActionRegistry::adopt(const QString &id, QAction *action)
{
    Q_ASSERT_X(!byId.contains(id), "ActionRegistry", "an action id is registered twice");
    action->setObjectName(id);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    for (QWidget *other : std::as_const(served))
        other->addAction(action);
    ordered << action;
    byId.insert(id, action);
    return action;
}

QAction *ActionRegistry::action(const QString &id) const
{
    return byId.value(id);
}

void ActionRegistry::serve(QWidget &other)
{
    served << &other;
    other.addActions(ordered);
}

bool ActionRegistry::claims(const QKeyEvent &key) const
{
    const QKeyCombination pressed(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key()));
    if (pressed.key() == Qt::Key_unknown || key.key() == 0)
        return false;
    const QKeySequence sequence(pressed);
    for (const QAction *action : ordered) {
        if (!action->isEnabled())
            continue;
        for (const QKeySequence &shortcut : action->shortcuts())
            if (shortcut == sequence)
                return true;
    }
    return false;
}
