#pragma once

// The window's questions answered from a script: each kind of question takes
// the next answer of its queue (an empty queue cancels), and everything asked
// is recorded in order.

#include <functional>

#include <QColor>
#include <QList>
#include <QTimer>
#include <QString>
#include <QStringList>

#include "editor/window/prompts.h"

class ScriptedPrompts : public Prompts
{
public:
    enum class Kind { SaveDiscardCancel, Recovery, Confirm, Overwrite, Warn, Inform, About, Failure, OpenFile, SaveFile, Color, AnimationOptions, Waiting };

    struct Asked
    {
        Kind kind;
        QString title;
        QString text;
        QString informativeText;   // confirmations: the question under the text; warnings: the details
    };

    QList<SaveChoice> saveAnswers;
    QList<RecoveryChoice> recoveryAnswers;   // an empty queue decides later
    QList<bool> confirmAnswers;
    QList<bool> overwriteAnswers;
    QList<FileChoice> fileAnswers;   // open and save dialogs alike
    QString fileTypeLabel;           // when set, the type of that label is chosen
    QList<QColor> colorAnswers;      // an invalid colour cancels
    std::function<std::optional<ColorWord>(const QString &, ColorWord, ColorModel)> consolePicker;
    QList<AnimationExportOptions> animationAnswers;   // an empty queue cancels
    QList<int> waitCancelAfterMs;   // each waiting message: Cancel after so many ms; empty: wait on
    int waitingShown = 0;           // waiting messages on show now

    QList<Asked> asked;
    QStringList acceptTexts;   // the accepting button of each confirmation, in order
    QList<FileRequest> fileRequests;

    // What was asked of one kind, texts only.
    QStringList texts(Kind kind) const
    {
        QStringList found;
        for (const Asked &question : asked)
            if (question.kind == kind)
                found << question.text;
        return found;
    }
    // The messages shown (warnings, information, failures), in order.
    QStringList messages() const
    {
        QStringList found;
        for (const Asked &question : asked)
            if (question.kind == Kind::Warn || question.kind == Kind::Inform || question.kind == Kind::Failure)
                found << question.text;
        return found;
    }
    QStringList fileTitles() const
    {
        QStringList titles;
        for (const FileRequest &request : fileRequests)
            titles << request.title;
        return titles;
    }

    SaveChoice askSaveDiscardCancel(const QString &title, const QString &text, SaveChoice) override
    {
        asked.append({Kind::SaveDiscardCancel, title, text, {}});
        return saveAnswers.isEmpty() ? SaveChoice::Cancel : saveAnswers.takeFirst();
    }
    RecoveryChoice askRecovery(const QString &title, const QString &text) override
    {
        asked.append({Kind::Recovery, title, text, {}});
        return recoveryAnswers.isEmpty() ? RecoveryChoice::Later : recoveryAnswers.takeFirst();
    }
    bool confirm(const Confirmation &question) override
    {
        asked.append({Kind::Confirm, question.title, question.text, question.informativeText});
        acceptTexts.append(question.acceptText);
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    bool askOverwrite(const QString &path) override
    {
        asked.append({Kind::Overwrite, {}, path, {}});
        return !overwriteAnswers.isEmpty() && overwriteAnswers.takeFirst();
    }
    void warn(const QString &title, const QString &text, const QString &details) override
    {
        asked.append({Kind::Warn, title, text, details});
    }
    void inform(const QString &title, const QString &text) override { asked.append({Kind::Inform, title, text, {}}); }
    void about(const QString &title, const QString &richText) override
    {
        asked.append({Kind::About, title, richText, {}});
    }
    void showFailure(const QString &title, const Failure &failure) override
    {
        asked.append({Kind::Failure, title, failure.message(), {}});
    }
    FileChoice chooseFileToOpen(const FileRequest &request) override { return chooseFile(Kind::OpenFile, request); }
    FileChoice chooseFileToSave(const FileRequest &request) override { return chooseFile(Kind::SaveFile, request); }
    // Edit Colour: text is the initial colour's name, informativeText the
    // colour model ("console" or "linear"). A colour answer is snapped to
    // the console's grid; with a picker set, that answers instead.
    std::optional<ColorWord> chooseConsoleColour(const QString &title, ColorWord initial, ColorModel model) override
    {
        asked.append({Kind::Color, title, ColorFromWord(initial).name(),
                      model == ColorModel::Console ? QStringLiteral("console") : QStringLiteral("linear")});
        if (consolePicker)
            return consolePicker(title, initial, model);
        const QColor answer = colorAnswers.isEmpty() ? QColor() : colorAnswers.takeFirst();
        if (!answer.isValid())
            return std::nullopt;
        return WordFromColor(answer);
    }

    std::optional<AnimationExportOptions> chooseAnimationOptions(const AnimationExportOptions &) override
    {
        asked.append({Kind::AnimationOptions, {}, {}, {}});
        if (animationAnswers.isEmpty())
            return std::nullopt;
        return animationAnswers.takeFirst();
    }

    std::unique_ptr<WaitingMessage> showWaiting(const QString &title, const QString &text,
                                                std::function<void()> cancelled) override
    {
        asked.append({Kind::Waiting, title, text, {}});
        auto message = std::make_unique<Waiting>(this);
        if (!waitCancelAfterMs.isEmpty()) {
            message->cancel.setSingleShot(true);
            QObject::connect(&message->cancel, &QTimer::timeout, [cancelled] { cancelled(); });
            message->cancel.start(waitCancelAfterMs.takeFirst());
        }
        return message;
    }

private:
    struct Waiting : WaitingMessage
    {
        explicit Waiting(ScriptedPrompts *prompts) : prompts(prompts) { ++prompts->waitingShown; }
        ~Waiting() override { --prompts->waitingShown; }
        ScriptedPrompts *prompts;
        QTimer cancel;
    };

    FileChoice chooseFile(Kind kind, const FileRequest &request)
    {
        asked.append({kind, request.title, request.proposedName, {}});
        fileRequests.append(request);
        FileChoice answer = fileAnswers.isEmpty() ? FileChoice{} : fileAnswers.takeFirst();
        for (qsizetype i = 0; i < request.types.size(); ++i)
            if (!fileTypeLabel.isEmpty() && request.types.at(i).label == fileTypeLabel)
                answer.type = int(i);
        return answer;
    }
};
