#include "editor/controllers/consolecolours.h"

#include <QAction>
#include <QLabel>
#include <QSettings>

#include "editor/state/selection.h"
#include "editor/window/actionregistry.h"

ConsoleColours::ConsoleColours(Selection &selection, ActionRegistry &actions, QWidget *parentWidget)
    : QObject(parentWidget), selection(selection)
{
    setObjectName(QStringLiteral("consoleColours"));
    toggle = actions.add({QStringLiteral("actionConsoleColours"), tr("&Console Colours"), {},
                          tr("Show colours at the levels the console's video output shows them"), {}, true});
    label = new QLabel(tr("console colours"), parentWidget);
    label->setObjectName(QStringLiteral("labelConsoleColours"));
    label->setAccessibleName(tr("console colours"));
    const bool on = QSettings().value(QLatin1String(kSettingsKey), false).toBool();
    toggle->setChecked(on);
    apply(on);
    connect(toggle, &QAction::toggled, this, [this](bool checked) {
        QSettings().setValue(QLatin1String(kSettingsKey), checked);
        apply(checked);
    });
}

void ConsoleColours::apply(bool on)
{
    selection.setColorModel(on ? ColorModel::Console : ColorModel::Linear);
    label->setVisible(on);
}
