#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QColor>
#include <QList>
#include <QString>

#include "base/result.h"
#include "editor/dialogs/animationexportoptions.h"
#include "rom/colorword.h"

// A file dialog's request: its title, the name it proposes, its file types and
// the folder it remembers (dialogs of one kind start where the last one went;
// with nothing remembered yet, in startFolder or the working folder).
struct FileRequest
{
    struct Type
    {
        QString label;    // "Images (*.png *.bmp)"
        QString suffix;   // added to a name without one when this type is chosen; empty: none
    };

    QString title;
    QString folderKey;      // "exchange", "palette", "patch"; empty: always startFolder
    QString proposedName;   // file name, or a path in a folder of its own
    QString startFolder;
    QList<Type> types;
};

// The file chosen (empty when cancelled) and the index of the type chosen.
struct FileChoice
{
    QString path;
    int type = 0;

    bool cancelled() const { return path.isEmpty(); }
};

// A question with one accepting button ("Overwrite", "Write back", "Open
// Anyway", "Save") and Cancel.
struct Confirmation
{
    QString title;
    QString text;
    QString informativeText;
    QString acceptText;
    bool acceptIsDefault = false;
};

// A message on show while the window waits for something; it goes when this
// is destroyed.
class WaitingMessage
{
public:
    virtual ~WaitingMessage() = default;
};

// Every question and message the window's controllers raise. The window
// implements it with message boxes and file dialogs; tests with a script.
class Prompts
{
public:
    enum class SaveChoice { Save, Discard, Cancel };
    enum class RecoveryChoice { Recover, Discard, Later };

    virtual ~Prompts() = default;

    // Unsaved changes would be lost: Save, Discard or Cancel, the default
    // button the given one.
    virtual SaveChoice askSaveDiscardCancel(const QString &title, const QString &text, SaveChoice byDefault) = 0;
    // Unsaved changes of an editor that died were found: "&Recover",
    // "&Discard" or "Decide &Later" (closing the box decides later).
    virtual RecoveryChoice askRecovery(const QString &title, const QString &text) = 0;
    // True when the accepting button was chosen.
    virtual bool confirm(const Confirmation &question) = 0;
    // A file named after the dialog (a suffix added) exists: overwrite it?
    virtual bool askOverwrite(const QString &path) = 0;
    // A problem, with an optional long text the box offers as details.
    virtual void warn(const QString &title, const QString &text, const QString &details = {}) = 0;
    virtual void inform(const QString &title, const QString &text) = 0;
    // The program's information box (rich text).
    virtual void about(const QString &title, const QString &richText) = 0;
    // A failure from below the window: the file and the reason.
    virtual void showFailure(const QString &title, const Failure &failure) = 0;
    virtual FileChoice chooseFileToOpen(const FileRequest &request) = 0;
    // The name comes back with the chosen type's suffix when it had none.
    virtual FileChoice chooseFileToSave(const FileRequest &request) = 0;
    // A console colour (Edit Colour), starting from initial and shown in
    // the colour model; nothing when cancelled.
    virtual std::optional<ColorWord> chooseConsoleColour(const QString &title, ColorWord initial, ColorModel model) = 0;
    // File > Export Animation's options, starting from initial; nothing when cancelled.
    virtual std::optional<AnimationExportOptions> chooseAnimationOptions(const AnimationExportOptions &initial) = 0;
    // Shows text with a Cancel button and returns at once: the caller keeps
    // the event loop running while it waits, and drops the message when done.
    // cancelled runs when the user cancels (at most once, never after the
    // message was dropped).
    virtual std::unique_ptr<WaitingMessage> showWaiting(const QString &title, const QString &text,
                                                        std::function<void()> cancelled) = 0;
};

// The path to write after a save dialog: a name without a suffix gets the
// chosen type's, and a name that gained one is asked about again when a file
// of that name exists (the dialog's own question saw the name without it).
// Nothing when the dialog was cancelled or overwriting was refused.
std::optional<QString> PathToWrite(Prompts &prompts, const FileChoice &choice, const FileRequest &request,
                                   bool (*hasKnownSuffix)(const QString &path) = nullptr);

// A list of lines (one a failed file) as a message shows it: the heading (if
// any), then at most twelve lines and "... and 7 more"; *details gets the
// whole list when it was cut, else is cleared.
QString ListMessage(const QString &lines, const QString &heading, QString *details);
