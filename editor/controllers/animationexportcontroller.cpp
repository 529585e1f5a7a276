#include "editor/controllers/animationexportcontroller.h"

#include <QAction>
#include <QFileInfo>

#include "animation/animationexport.h"
#include "document/cardocument.h"
#include "editor/state/animator.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "editor/state/selection.h"
#include "rom/numbertext.h"

namespace {

bool IsAnimationFile(const QString &path)
{
    return AnimationFormatFor(path).has_value();
}

AnimationMotion MotionOf(const AnimationExportOptions &options)
{
    using Motion = AnimationExportOptions::Motion;
    return {options.motion != Motion::Tilt, options.motion != Motion::Turn, options.wheels};
}

} // namespace

AnimationExportController::AnimationExportController(const CarDocument &document, const Selection &selection,
                                                     const Animator &animator, Prompts &prompts, StatusSink &status,
                                                     ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), animator(animator), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("animationExportController"));
    QAction *exportAction = actions.add({QStringLiteral("actionExportAnimation"), tr("Export &Animation..."), {},
                                         tr("Write the car on show turning or tilting as an animated GIF or WebP")});
    connect(exportAction, &QAction::triggered, this, &AnimationExportController::ExportAnimation);
}

void AnimationExportController::ExportAnimation()
{
    // The colours follow the view's; the rest starts as the last export left it.
    AnimationExportOptions initial = last;
    initial.consoleColours = selection.colorModel() == ColorModel::Console;
    const std::optional<AnimationExportOptions> options = prompts.chooseAnimationOptions(initial);
    if (!options)
        return;
    last = *options;
    const FileRequest request{tr("Export Animation"), QStringLiteral("animation"),
                              QStringLiteral("car-%1.gif").arg(selection.car() + 1), QString(),
                              {{tr("Animated GIF (*.gif)"), QStringLiteral(".gif")},
                               {tr("Animated WebP (*.webp)"), QStringLiteral(".webp")}}};
    const std::optional<QString> path = PathToWrite(prompts, prompts.chooseFileToSave(request), request,
                                                    &IsAnimationFile);
    if (path)
        ExportTo(*path, *options);
}

bool AnimationExportController::ExportTo(const QString &path, const AnimationExportOptions &options)
{
    const ExchangeData data{document.sprites(), document.offsets(), document.palettes().value(selection.palette()),
                            document.background(),
                            options.consoleColours ? ColorModel::Console : ColorModel::Linear};
    AnimationSettings settings;
    settings.car = selection.car();
    settings.start.rotation = selection.rotation();
    settings.start.tilt = selection.tilt();
    settings.motion = MotionOf(options);
    settings.delayMs = animator.interval();
    settings.zoom = options.zoom;
    settings.transparent = options.transparent;
    if (const Result<void> written = WriteAnimationFile(path, data, settings); !written) {
        prompts.showFailure(tr("Export Animation"), written.failure());
        return false;
    }
    const int frames = AnimationLoopLength(settings.motion);
    status.showStatus(tr("Exported car %1 as %2 (%n frame(s), %3)", nullptr, frames)
                           .arg(selection.car() + 1)
                           .arg(QFileInfo(path).fileName(), ByteCountText(QFileInfo(path).size())));
    return true;
}
