#include "editor/controllers/referencecontroller.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>

#include "document/cardocument.h"
#include "editor/displays/spriteview.h"
#include "editor/state/selection.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "exchange/spritefiles.h"
#include "rom/cardata.h"

namespace {

// No reference picture needs more: photos are made smaller once when read.
constexpr int kLargestShownSide = 2048;
const QSize kLargestReadable(16384, 16384);
constexpr int kOpacityStep = 5;
constexpr double kScaleStep = 1.1;
constexpr int kDefaultOpacity = 50;

} // namespace

ReferenceController::ReferenceController(const CarDocument &document, const Selection &selection, SpriteView &view,
                                         SessionOption<QString> &book, SessionOption<bool> &perView, Prompts &prompts,
                                         StatusSink &status, ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), view(view), book(book), perView(perView),
      prompts(prompts), status(status), slider(new QSlider(Qt::Horizontal, view.window()))
{
    setObjectName(QStringLiteral("referenceController"));
    slider->setObjectName(QStringLiteral("sliderReferenceOpacity"));
    slider->setRange(kMinReferenceOpacity, 100);
    slider->setSingleStep(kOpacityStep);
    slider->setPageStep(4 * kOpacityStep);
    slider->setMaximumWidth(120);
    slider->setAccessibleName(tr("Reference picture opacity"));
    slider->setToolTip(tr("Opacity of the reference picture (Alt+Page Up, Alt+Page Down)"));
    slider->setFocusPolicy(Qt::TabFocus);
    slider->hide();
    connect(slider, &QSlider::valueChanged, this, &ReferenceController::SetOpacity);

    connect(actions.add({QStringLiteral("actionReferencePicture"), tr("Reference &Picture..."), {},
                         tr("Show a picture with the sprite to draw by; it is never part of the sprite")}),
            &QAction::triggered, this, &ReferenceController::ChoosePicture);
    hideAction = actions.add({QStringLiteral("actionHideReference"), tr("H&ide Reference Picture"), {}, {}, {}, false,
                              false});
    connect(hideAction, &QAction::triggered, this, &ReferenceController::HidePicture);
    overAction = actions.add({QStringLiteral("actionReferenceOver"), tr("Reference &Over the Sprite"), {},
                              tr("Show the reference picture over the sprite instead of behind it"), {}, true});
    connect(overAction, &QAction::toggled, this, &ReferenceController::SetOver);
    QAction *each = actions.add({QStringLiteral("actionReferencePerView"), tr("Reference for Each &View"), {},
                                 tr("A new reference picture is for the view on show only, not for the whole car"),
                                 {}, true});
    each->setChecked(perView.value());
    connect(each, &QAction::toggled, &perView, &SessionOption<bool>::set);
    connect(&perView, &SessionOptionBase::changed, each, [this, each] { each->setChecked(this->perView.value()); });

    struct Step
    {
        const char *id;
        const char *text;
        QKeySequence keys;
        std::function<void()> run;
    };
    const auto aboutPicture = [this] {
        return current.position + QPointF(readSize.width(), readSize.height()) * current.scale / 2;
    };
    const Step steps[] = {
        {"actionReferenceLeft", QT_TR_NOOP("Move Reference &Left"), QKeySequence(Qt::ALT | Qt::Key_Left),
         [this] { MoveBy({-1, 0}); }},
        {"actionReferenceRight", QT_TR_NOOP("Move Reference &Right"), QKeySequence(Qt::ALT | Qt::Key_Right),
         [this] { MoveBy({1, 0}); }},
        {"actionReferenceUp", QT_TR_NOOP("Move Reference &Up"), QKeySequence(Qt::ALT | Qt::Key_Up),
         [this] { MoveBy({0, -1}); }},
        {"actionReferenceDown", QT_TR_NOOP("Move Reference &Down"), QKeySequence(Qt::ALT | Qt::Key_Down),
         [this] { MoveBy({0, 1}); }},
        {"actionReferenceLarger", QT_TR_NOOP("Reference &Larger"), QKeySequence(Qt::ALT | Qt::Key_Plus),
         [this, aboutPicture] { ScaleBy(kScaleStep, aboutPicture()); }},
        {"actionReferenceSmaller", QT_TR_NOOP("Reference &Smaller"), QKeySequence(Qt::ALT | Qt::Key_Minus),
         [this, aboutPicture] { ScaleBy(1 / kScaleStep, aboutPicture()); }},
        {"actionReferenceMoreOpaque", QT_TR_NOOP("Reference &More Opaque"), QKeySequence(Qt::ALT | Qt::Key_PageUp),
         [this] { SetOpacity(current.opacity + kOpacityStep); }},
        {"actionReferenceLessOpaque", QT_TR_NOOP("Reference Less &Opaque"), QKeySequence(Qt::ALT | Qt::Key_PageDown),
         [this] { SetOpacity(current.opacity - kOpacityStep); }},
    };
    for (const Step &step : steps)
        connect(actions.add({QString::fromLatin1(step.id), tr(step.text), {step.keys}}), &QAction::triggered, this,
                step.run);

    view.installEventFilter(this);
    connect(&selection, &Selection::changed, this, [this](Selection::Parts parts) {
        if (parts & (Selection::Car | Selection::Sprite))
            Follow();
    });
    connect(&document, &CarDocument::loaded, this, &ReferenceController::Follow);
    connect(&book, &SessionOptionBase::changed, this, &ReferenceController::Follow);
    Follow();
}

QString ReferenceController::RomKey() const
{
    if (keyPath != document.path() || romKey.isEmpty()) {
        keyPath = document.path();
        const QFileInfo rom(keyPath);
        const QString canonical = rom.canonicalFilePath();
        romKey = canonical.isEmpty() ? rom.absoluteFilePath() : canonical;
    }
    return romKey;
}

const ReferenceBook &ReferenceController::Pages() const
{
    const QString text = book.value();
    // Parsed once for each text (an empty book too: an animation's step asks at every step).
    if (!pagesParsed || text != pagesText) {
        pagesParsed = true;
        pagesText = text;
        parsedPages = ReferenceBook::FromText(text);
    }
    return parsedPages;
}

void ReferenceController::ChoosePicture()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const FileRequest request{tr("Reference Picture"), QStringLiteral("reference"), QString(), QString(),
                              {{tr("Pictures (%1)").arg(patterns.join(QLatin1Char(' '))), {}},
                               {tr("All files (*)"), {}}}};
    const FileChoice choice = prompts.chooseFileToOpen(request);
    if (!choice.cancelled())
        ShowPicture(choice.path);
}

bool ReferenceController::ShowPicture(const QString &path)
{
    const Result<QImage> read = ReadPictureFile(path, kLargestReadable);
    if (!read) {
        prompts.showFailure(tr("Reference Picture"), read.failure());
        return false;
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    ReferenceBook pages = ReferenceBook::FromText(book.value());
    const bool over = isShown() ? current.over : overAction->isChecked();
    const int opacity = isShown() ? current.opacity : kDefaultOpacity;
    const bool forView = perView.value();
    // Fitted to the picture as shown (made smaller when large), so that a
    // change of the file's size keeps its place in the frame.
    picture = QImage();
    pictureFile.clear();
    pages.put(RomKey(), selection.car(), selection.sprite(), forView, FittedPlacement(file, read->size(), opacity, over));
    {
        const QSignalBlocker quiet(&book);
        book.set(pages.toText());
    }
    Follow();
    status.showStatus(forView ? tr("Reference picture %1 for car %2, sprite %3")
                                    .arg(QDir::toNativeSeparators(file))
                                    .arg(selection.car() + 1)
                                    .arg(selection.sprite() + 1)
                              : tr("Reference picture %1 for car %2")
                                    .arg(QDir::toNativeSeparators(file))
                                    .arg(selection.car() + 1));
    return isShown();
}

void ReferenceController::HidePicture()
{
    if (!isShown())
        return;
    ReferenceBook pages = ReferenceBook::FromText(book.value());
    pages.remove(RomKey(), selection.car(), selection.sprite(), currentPerView);
    book.set(pages.toText());
    Follow();
}

void ReferenceController::Follow()
{
    const std::optional<ReferenceBook::Found> found =
        Pages().find(RomKey(), selection.car(), selection.sprite());
    if (!found) {
        if (picture.isNull() && pictureFile.isEmpty() && slider->isHidden() && !hideAction->isEnabled())
            return;   // nothing shown, nothing to show: an animation's step costs no more
        picture = QImage();
        pictureFile.clear();
        Show();
        return;
    }
    current = found->placement;
    currentPerView = found->perView;
    if (found->placement.file != pictureFile) {
        pictureFile = found->placement.file;
        // The picture as a reference to draw by, never larger than needed;
        // a remembered file that went away is said once, in the status bar.
        const Result<QImage> read = ReadPictureFile(pictureFile, kLargestReadable);
        if (read) {
            QImage shown = read->convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const int side = std::max(shown.width(), shown.height());
            if (side > kLargestShownSide)
                shown = shown.scaled(shown.size() * kLargestShownSide / side, Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation);
            // The placement is for the picture's own size.
            readSize = read->size();
            picture = shown;
        } else {
            picture = QImage();
            status.showStatus(read.failure().message());
        }
    }
    Show();
}

void ReferenceController::Show()
{
    ReferencePlacement shown = current;
    if (!picture.isNull() && readSize.width() > 0)
        shown.scale = current.scale * readSize.width() / picture.width();
    view.setReference(picture, shown);
    const bool on = isShown();
    hideAction->setEnabled(on);
    {
        const QSignalBlocker quiet(overAction);
        overAction->setChecked(on ? current.over : overAction->isChecked());
    }
    {
        const QSignalBlocker quiet(slider);
        slider->setValue(current.opacity);
    }
    slider->setVisible(on);
}

void ReferenceController::Remember()
{
    current = Bounded(current);
    ReferenceBook pages = ReferenceBook::FromText(book.value());
    pages.put(RomKey(), selection.car(), selection.sprite(), currentPerView, current);
    {
        const QSignalBlocker quiet(&book);   // what is shown is current already
        book.set(pages.toText());
    }
    Show();
}

void ReferenceController::MoveBy(QPointF delta)
{
    if (!isShown())
        return;
    current.position += delta;
    Remember();
}

void ReferenceController::ScaleBy(double factor, QPointF about)
{
    if (!isShown())
        return;
    const double scale = std::clamp(current.scale * factor, kMinReferenceScale, kMaxReferenceScale);
    // The frame point about stays where it is.
    current.position = about + (current.position - about) * (scale / current.scale);
    current.scale = scale;
    Remember();
}

void ReferenceController::SetOpacity(int percent)
{
    if (!isShown())
        return;
    current.opacity = std::clamp(percent, kMinReferenceOpacity, 100);
    Remember();
}

void ReferenceController::SetOver(bool over)
{
    if (!isShown() || current.over == over)
        return;
    current.over = over;
    Remember();
}

QPointF ReferenceController::FramePoint(QPointF position) const
{
    const QRect area = view.spriteRect();
    if (area.width() <= 0)
        return {};
    return (position - QPointF(area.topLeft())) * (double(kSpriteSide) / area.width());
}

bool ReferenceController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &view || !isShown())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::AltModifier))
            break;
        dragging = true;
        dragFrom = FramePoint(mouse->position());
        return true;   // not a stroke
    }
    case QEvent::MouseMove: {
        if (!dragging)
            break;
        const QPointF at = FramePoint(static_cast<QMouseEvent *>(event)->position());
        current.position += at - dragFrom;
        dragFrom = at;
        Show();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!dragging || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            break;
        dragging = false;
        Remember();
        return true;
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (!(wheel->modifiers() & Qt::AltModifier))
            break;
        // Alt turns a wheel's vertical turn into a horizontal one on some systems.
        const QPoint turn = wheel->angleDelta();
        const int notches = (turn.y() != 0 ? turn.y() : turn.x()) / 120;
        if (notches != 0)
            ScaleBy(std::pow(kScaleStep, notches), FramePoint(wheel->position()));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
