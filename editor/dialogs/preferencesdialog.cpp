#include "editor/dialogs/preferencesdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "external/emulatorchoice.h"

namespace {

QLineEdit *CommandField(QWidget *parent, const QString &name, const QString &objectName, const QString &text,
                        const QString &builtIn)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(objectName);
    field->setAccessibleName(name);
    field->setPlaceholderText(builtIn);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 48);
    return field;
}

QLabel *Hint(QWidget *parent, const QString &text)
{
    auto *hint = new QLabel(text, parent);
    hint->setWordWrap(true);
    hint->setEnabled(false);   // drawn as secondary text
    return hint;
}

} // namespace

PreferencesDialog::PreferencesDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("Preferences"));
    const ExternalPrograms stored = ReadExternalPrograms();

    const QString installed = InstalledEmulatorCommand();
    emulator = CommandField(this, tr("Emulator command"), QStringLiteral("lineEditEmulatorCommand"),
                            stored.emulatorCommand, installed.isEmpty() ? tr("none installed") : installed);
    const QString emulatorHint = installed.isEmpty()
        ? tr("%f stands for the ROM. Left empty, the first installed of blastem, mednafen and mame is used: none "
             "is installed now (Debian packages blastem, mednafen, mame).")
        : tr("%f stands for the ROM. Left empty: %1 (the first installed of blastem, mednafen and mame).")
              .arg(installed);
    pixelEditor = CommandField(this, tr("Pixel editor command"), QStringLiteral("lineEditPixelEditorCommand"),
                               stored.pixelEditorCommand, tr("the desktop's application for PNG files"));
    const QString editorHint = tr("%f stands for the picture. Left empty, the desktop's application for PNG files "
                                  "opens it.");

    auto *form = new QFormLayout;
    form->addRow(tr("&Emulator command:"), emulator);
    form->addRow(QString(), Hint(this, emulatorHint));
    form->addRow(tr("&Pixel editor command:"), pixelEditor);
    form->addRow(QString(), Hint(this, editorHint));

    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("labelPreferencesProblem"));
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    problem->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PreferencesDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addWidget(buttons);
}

ExternalPrograms PreferencesDialog::programs() const
{
    return {emulator->text().trimmed(), pixelEditor->text().trimmed()};
}

void PreferencesDialog::accept()
{
    if (const Result<void> stored = StoreExternalPrograms(programs()); !stored) {
        problem->setText(stored.message());
        problem->show();
        return;
    }
    QDialog::accept();
}

void OpenPreferences(QWidget *window)
{
    auto *dialog = new PreferencesDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
