#pragma once

#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QKeyEvent;
class QWidget;

// What a command of the window is: its id (the action's object name, which
// the menu table places), its text, its keys and how it starts out.
struct ActionSpec
{
    QString id;
    QString text;
    QList<QKeySequence> shortcuts = {};
    QString statusTip = {};
    QIcon icon = {};
    bool checkable = false;
    bool enabled = true;
};

// Every command of the window, by id. Each controller registers the actions
// it answers and connects them itself; the window's menus only place ids.
// The actions belong to the window they are made for, so their keys work
// wherever its focus is, menus open or not.
class ActionRegistry : public QObject
{
    Q_OBJECT

public:
    explicit ActionRegistry(QWidget &window);

    // A new action for the window; one id is registered once.
    QAction *add(const ActionSpec &spec);
    // An action made elsewhere (the undo stack's own) under its id.
    QAction *adopt(const QString &id, QAction *action);
    // The action of id, or nullptr.
    QAction *action(const QString &id) const;
    // All of them, in the order they were registered.
    const QList<QAction *> &actions() const { return ordered; }

    // Another top-level window of the program (the overview) whose keys reach
    // the actions as the main window's do.
    void serve(QWidget &other);
    // Whether key is a key of an enabled action: the window's command then
    // wins over a field's own binding of the same key (a spin box's line edit
    // takes Ctrl+E as "end of line", Ctrl+Z as its own undo).
    bool claims(const QKeyEvent &key) const;

private:
    QWidget &window;
    QList<QWidget *> served;
    QList<QAction *> ordered;
    QHash<QString, QAction *> byId;
};
