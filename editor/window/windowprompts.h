#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

#include "editor/window/prompts.h"

// The window's questions and messages: message boxes and file dialogs parented
// to the window (none at start-up, before there is one). Each kind of file
// dialog starts in the folder the last one of its kind went to.
class WindowPrompts : public Prompts
{
public:
    explicit WindowPrompts(QWidget *parent = nullptr) : parent(parent) {}

    SaveChoice askSaveDiscardCancel(const QString &title, const QString &text, SaveChoice byDefault) override;
    RecoveryChoice askRecovery(const QString &title, const QString &text) override;
    bool confirm(const Confirmation &question) override;
    bool askOverwrite(const QString &path) override;
    void warn(const QString &title, const QString &text, const QString &details = {}) override;
    void inform(const QString &title, const QString &text) override;
    void about(const QString &title, const QString &richText) override;
    void showFailure(const QString &title, const Failure &failure) override;
    FileChoice chooseFileToOpen(const FileRequest &request) override;
    FileChoice chooseFileToSave(const FileRequest &request) override;
    std::optional<ColorWord> chooseConsoleColour(const QString &title, ColorWord initial, ColorModel model) override;
    std::optional<AnimationExportOptions> chooseAnimationOptions(const AnimationExportOptions &initial) override;
    std::unique_ptr<WaitingMessage> showWaiting(const QString &title, const QString &text,
                                                std::function<void()> cancelled) override;

private:
    FileChoice chooseFile(const FileRequest &request, bool save);

    QPointer<QWidget> parent;
    QHash<QString, QString> folders;   // by FileRequest::folderKey
};
