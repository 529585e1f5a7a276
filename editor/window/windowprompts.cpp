#include "editor/window/windowprompts.h"

#include "editor/dialogs/animationexportdialog.h"
#include "editor/dialogs/consolecolourpicker.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace {

// A busy bar and Cancel, modal to the window, shown at once.
class WaitingDialog : public WaitingMessage
{
public:
    WaitingDialog(QWidget *parent, const QString &title, const QString &text, std::function<void()> cancelled)
        : dialog(new QProgressDialog(text, QObject::tr("Cancel"), 0, 0, parent))
    {
        dialog->setWindowTitle(title);
        dialog->setObjectName(QStringLiteral("waitingDialog"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->setMinimumDuration(0);
        QObject::connect(dialog, &QProgressDialog::canceled, dialog, [dialog = dialog, cancelled] {
            // Once: closing the box after Cancel emits it again.
            QObject::disconnect(dialog, &QProgressDialog::canceled, nullptr, nullptr);
            cancelled();
        });
        dialog->show();
    }
    ~WaitingDialog() override
    {
        if (dialog) {
            QObject::disconnect(dialog, &QProgressDialog::canceled, nullptr, nullptr);
            delete dialog.data();
        }
    }

private:
    QPointer<QProgressDialog> dialog;
};

QString WithoutDot(const QString &suffix)
{
    return suffix.startsWith(QLatin1Char('.')) ? suffix.mid(1) : suffix;
}

} // namespace

Prompts::SaveChoice WindowPrompts::askSaveDiscardCancel(const QString &title, const QString &text, SaveChoice byDefault)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(byDefault == SaveChoice::Save      ? QMessageBox::Save
                         : byDefault == SaveChoice::Discard ? QMessageBox::Discard
                                                            : QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(QObject::tr("&Save"));
    box.button(QMessageBox::Discard)->setText(QObject::tr("&Discard"));
    box.button(QMessageBox::Cancel)->setText(QObject::tr("Cancel"));
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

Prompts::RecoveryChoice WindowPrompts::askRecovery(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton *recover = box.addButton(QObject::tr("&Recover"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QObject::tr("&Discard"), QMessageBox::DestructiveRole);
    QPushButton *later = box.addButton(QObject::tr("Decide &Later"), QMessageBox::RejectRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == recover)
        return RecoveryChoice::Recover;
    if (box.clickedButton() == discard)
        return RecoveryChoice::Discard;
    return RecoveryChoice::Later;
}

bool WindowPrompts::confirm(const Confirmation &question)
{
    QMessageBox box(QMessageBox::Warning, question.title, question.text, QMessageBox::NoButton, parent);
    box.setInformativeText(question.informativeText);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    if (!question.acceptText.isEmpty())
        box.button(QMessageBox::Ok)->setText(question.acceptText);
    box.setDefaultButton(question.acceptIsDefault ? QMessageBox::Ok : QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool WindowPrompts::askOverwrite(const QString &path)
{
    return confirm({QObject::tr("Overwrite"),
                    QObject::tr("%1 already exists.").arg(QDir::toNativeSeparators(path)),
                    QObject::tr("Do you want to replace it?"), QObject::tr("Replace"), false});
}

void WindowPrompts::warn(const QString &title, const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

void WindowPrompts::inform(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void WindowPrompts::about(const QString &title, const QString &richText)
{
    QMessageBox::about(parent, title, richText);
}

void WindowPrompts::showFailure(const QString &title, const Failure &failure)
{
    warn(title, failure.message());
}

FileChoice WindowPrompts::chooseFile(const FileRequest &request, bool save)
{
    // Requests without a key start where they say, every time.
    QString folder = request.folderKey.isEmpty() ? QString() : folders.value(request.folderKey);
    if (folder.isEmpty())
        folder = request.startFolder;
    const QString start = request.proposedName.isEmpty() ? folder : QDir(folder).filePath(request.proposedName);
    QStringList filters;
    for (const FileRequest::Type &type : request.types)
        filters << type.label;

    QFileDialog dialog(parent, request.title, start, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.types.isEmpty()) {
        // The dialog adds the type's suffix itself, so that its question about
        // an existing file names the file that will be written.
        dialog.setDefaultSuffix(WithoutDot(request.types.first().suffix));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request, filters](const QString &filter) {
            dialog.setDefaultSuffix(WithoutDot(request.types.value(filters.indexOf(filter)).suffix));
        });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    FileChoice choice{dialog.selectedFiles().first(), int(qMax<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
    if (!request.folderKey.isEmpty())
        folders.insert(request.folderKey, QFileInfo(choice.path).absolutePath());
    return choice;
}

FileChoice WindowPrompts::chooseFileToOpen(const FileRequest &request)
{
    return chooseFile(request, false);
}

FileChoice WindowPrompts::chooseFileToSave(const FileRequest &request)
{
    return chooseFile(request, true);
}

std::optional<ColorWord> WindowPrompts::chooseConsoleColour(const QString &title, ColorWord initial, ColorModel model)
{
    ConsoleColourPicker picker(title, initial, model, parent);
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.word();
}

std::optional<AnimationExportOptions> WindowPrompts::chooseAnimationOptions(const AnimationExportOptions &initial)
{
    AnimationExportDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

std::unique_ptr<WaitingMessage> WindowPrompts::showWaiting(const QString &title, const QString &text,
                                                           std::function<void()> cancelled)
{
    return std::make_unique<WaitingDialog>(parent, title, text, std::move(cancelled));
}
