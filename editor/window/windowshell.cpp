// The window's shell: status bar, opening ROMs (menu, recent list,
// drag and drop), saving a copy, the history, the user guide and zooming.
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBrowser>
#include <QUndoView>

#include "editor/controllers/animationexportcontroller.h"
#include "editor/controllers/consolecolours.h"
#include "editor/controllers/drawingcontroller.h"
#include "editor/controllers/editlinkcontroller.h"
#include "editor/controllers/exchangecontroller.h"
#include "editor/controllers/palettefilecontroller.h"
#include "editor/controllers/patchcontroller.h"
#include "editor/controllers/playtestcontroller.h"
#include "editor/dialogs/preferencesdialog.h"
#include "editor/window/messagelog.h"
#include "editor/window/prompts.h"
#include "editor/controllers/recoverycontroller.h"
#include "editor/dialogs/romcheckdialog.h"
#include "editor/controllers/romcontroller.h"
#include "editor/displays/hardwaretilesdisplay.h"
#include "editor/displays/palettecomparison.h"
#include "editor/controllers/referencecontroller.h"
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteoverview.h"
#include "editor/window/screenfit.h"
#include "editor/window/skmcareditor.h"
#include "editor/window/statussink.h"
#include "editor/displays/spriteview.h"
#include "editor/state/zoomsteps.h"
#include "rom/numbertext.h"
#include "rom/romcheck.h"
#include "rom/outputfile.h"
#include "ui_skmcareditor.h"

namespace {

QList<FileRequest::Type> RomTypes()
{
    return {{QObject::tr("ROM images (*.bin *.smd *.gen *.md)"), {}}, {QObject::tr("All files (*)"), {}}};
}

QString Hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

// Escape closes a window of its own (the history, the user guide).
void CloseOnEscape(QWidget *window)
{
    auto *close = new QAction(window);
    close->setObjectName(QStringLiteral("actionCloseWindow"));
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    window->addAction(close);
}

// The user guide in the language of the locale where there is one
// (userguide_de.html), else the English one: the languages in the order the
// locale prefers them, each with and then without its country.
QUrl UserGuideSource(const QLocale &locale)
{
    for (QString language : locale.uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        for (;;) {
            const QString name = QStringLiteral("userguide_%1.html").arg(language);
            if (QFile::exists(QStringLiteral(":/") + name))
                return QUrl(QStringLiteral("qrc:/") + name);
            const qsizetype cut = language.lastIndexOf(QLatin1Char('_'));
            if (cut <= 0)
                break;
            language.truncate(cut);
        }
    }
    return QUrl(QStringLiteral("qrc:/userguide.html"));
}

} // namespace

void SKMcarEditor::CreateStatusBar()
{
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    romInfo = new QLabel(statusBar);
    romInfo->setObjectName(QStringLiteral("labelRomInfo"));
    statusBar->addPermanentWidget(romInfo);
    statusBar->addPermanentWidget(consoleColours->statusLabel());
    statusBar->addPermanentWidget(hardwareTiles->statusLabel());
    statusBar->addPermanentWidget(referenceControl->opacitySlider());
    if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->addWidget(statusBar);
    // A long message is cut at the bar's width: its tooltip holds it whole,
    // and a screen reader hears what the bar shows. Every line is kept in the
    // message log.
    messageLog = new MessageLog(this);
    messageLog->setWindowFlag(Qt::Tool);
    CloseOnEscape(messageLog);
    connect(statusBar, &QStatusBar::messageChanged, this, [this](const QString &text) {
        statusBar->setToolTip(text);
        statusBar->setAccessibleName(text.isEmpty() ? romInfo->text() : text);
    });
    statusLog->setBar(statusBar);
    connect(statusLog, &StatusLog::shown, messageLog, &MessageLog::add);
    connect(romControl, &RomController::saved, this, &SKMcarEditor::UpdateRomInfo);
    // "Linked: car-3.png" while the live link runs.
    auto *linkLabel = new QLabel(statusBar);
    linkLabel->setObjectName(QStringLiteral("labelLink"));
    linkLabel->hide();
    statusBar->addPermanentWidget(linkLabel);
    connect(editLinkControl, &EditLinkController::linkChanged, linkLabel, [linkLabel](const QString &text) {
        linkLabel->setText(text);
        linkLabel->setVisible(!text.isEmpty());
    });
    // "Live: mame" while a play-test runs with the live link.
    auto *liveLabel = new QLabel(statusBar);
    liveLabel->setObjectName(QStringLiteral("labelLive"));
    liveLabel->hide();
    statusBar->addPermanentWidget(liveLabel);
    connect(playTestControl, &PlayTestController::liveChanged, liveLabel, [liveLabel](const QString &text) {
        liveLabel->setText(text);
        liveLabel->setAccessibleName(text);
        liveLabel->setVisible(!text.isEmpty());
    });
    // The pixel under the mouse, while it is over the sprite.
    pixelReadout = new QLabel(statusBar);
    pixelReadout->setObjectName(QStringLiteral("labelPixel"));
    statusBar->addPermanentWidget(pixelReadout);
    connect(drawingControl, &DrawingController::pixelInfo, pixelReadout, &QLabel::setText);
    UpdateRomInfo();
}

void SKMcarEditor::ShowStatus(const QString &text)
{
    statusLog->showStatus(text);
}

void SKMcarEditor::UpdateRomInfo()
{
    // As the file was when opened or last saved: its header title and whether
    // the stored checksum is right.
    const RomHeaderInfo header = ReadRomHeader(document.plainImage());
    const QString title = header.title.isEmpty() ? tr("(no title)") : header.title;
    QString checksum;
    if (!header.hasStoredChecksum)
        checksum = tr("no checksum");
    else if (header.checksumMatches())
        checksum = tr("checksum %1 correct").arg(Hex4(header.storedChecksum));
    else
        checksum = tr("checksum %1 wrong (should be %2)").arg(Hex4(header.storedChecksum), Hex4(header.computedChecksum));
    const QString smd = document.smdHeader().isEmpty() ? QString() : tr(" · .smd");
    romInfo->setText(QStringLiteral("%1 · %2%3").arg(title, checksum, smd));
    if (statusBar->currentMessage().isEmpty())
        statusBar->setAccessibleName(romInfo->text());
}

void SKMcarEditor::UpdateRecentMenu()
{
    recentMenu->clear();
    const QStringList files = recent.files();
    QStringList names;
    for (const QString &path : files)
        names << QFileInfo(path).fileName();
    for (const QString &path : files) {
        // The file name, or the whole path where two entries share a name.
        const QString name = QFileInfo(path).fileName();
        QAction *action = recentMenu->addAction(names.count(name) > 1 ? QDir::toNativeSeparators(path) : name);
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    recentMenu->setEnabled(!files.isEmpty());
}

bool SKMcarEditor::MaybeSave(const QString &question)
{
    if (!document.isModified())
        return true;
    switch (prompts->askSaveDiscardCancel(tr("Unsaved changes"), question, Prompts::SaveChoice::Save)) {
    case Prompts::SaveChoice::Save:
        return romControl->SaveToRom();
    case Prompts::SaveChoice::Discard:
        return true;
    default:
        return false;
    }
}

bool SKMcarEditor::OpenRom(const QString &path)
{
    drawingControl->EndStroke();   // a stroke in progress counts as a change
    const QString current = QFileInfo(document.path()).fileName();
    if (!MaybeSave(tr("Do you want to save your changes to %1 before opening another ROM?").arg(current)))
        return false;
    if (!LoadRomFile(path))
        return false;
    ShowStatus(tr("Opened %1 (%2)").arg(QFileInfo(path).fileName(), ByteCountText(document.image().fileBytes.size())));
    recoveryControl->OfferRecovery();
    return true;
}

bool SKMcarEditor::LoadRomFile(const QString &path)
{
    const std::optional<RomImage> image = ConfirmRomFile(*prompts, path);
    if (!image)
        return false;
    document.Open(*image);
    recent.add(path);
    UpdateRecentMenu();
    UpdateTitle();
    UpdateRomInfo();
    return true;
}

bool SKMcarEditor::Revert()
{
    drawingControl->EndStroke();
    const QString path = document.path();
    const QString name = QFileInfo(path).fileName();
    if (document.isModified()
        && !prompts->confirm({tr("Revert"), tr("Discard your changes and read %1 again as it is on disk?").arg(name),
                              QString(), tr("Revert"), false}))
        return false;
    if (!LoadRomFile(path))
        return false;
    ShowStatus(tr("Reverted to %1 as on disk (%2)").arg(name, ByteCountText(document.image().fileBytes.size())));
    return true;
}

void SKMcarEditor::OpenRomDialog()
{
    const FileChoice choice = prompts->chooseFileToOpen(
        {tr("Open ROM"), QString(), QString(), QFileInfo(document.path()).absolutePath(), RomTypes()});
    if (!choice.cancelled())
        OpenRom(choice.path);
}

void SKMcarEditor::OpenRecent(const QString &path)
{
    if (!IsReadableRegularFile(path)) {
        QFileInfo info(path);
        const QString why = !info.exists() ? tr("it no longer exists")
            : info.isDir()                 ? tr("it is a folder")
            : !info.isFile()               ? tr("it is not a regular file")
                                           : tr("it cannot be read");
        prompts->warn(tr("Open &Recent"), tr("%1 cannot be opened: %2. It is removed from the list.")
                                             .arg(QDir::toNativeSeparators(path), why));
        recent.remove(path);
        UpdateRecentMenu();
        return;
    }
    OpenRom(path);
}

void SKMcarEditor::SaveCopyAs()
{
    const QFileInfo info(document.path());
    const FileChoice choice = prompts->chooseFileToSave({tr("Save a Copy As"), QString(),
                                                         info.completeBaseName() + tr("-copy.") + info.suffix(),
                                                         info.absolutePath(), RomTypes()});
    if (choice.cancelled())
        return;
    const QString path = choice.path;
    if (QFileInfo(path).absoluteFilePath() == info.absoluteFilePath()) {
        romControl->SaveToRom();   // the open file itself: an ordinary save
        return;
    }
    const QByteArray bytes = document.bytesToSave();
    // Another file: never written in place, and never the open ROM under another name.
    if (const Result<void> written = WriteOutputFile(path, bytes); !written) {
        prompts->showFailure(tr("Save a Copy As"), written.failure());
        return;
    }
    ShowStatus(tr("Saved a copy as %1 (%2)").arg(QFileInfo(path).fileName(), ByteCountText(bytes.size())));
}

void SKMcarEditor::ShowHistory()
{
    if (!historyWindow) {
        auto *view = new QUndoView(document.undoStack(), this);
        view->setWindowFlag(Qt::Tool);
        view->setWindowTitle(tr("History"));
        view->setObjectName(QStringLiteral("historyView"));
        view->setEmptyLabel(tr("<as opened>"));
        CloseOnEscape(view);
        historyWindow = view;
    }
    // Opened from the menu, it takes the keyboard: the arrows go through the steps.
    ShowToolWindow(historyWindow, QSize(320, 400), true);
    historyWindow->setFocus(Qt::OtherFocusReason);
}

void SKMcarEditor::ShowUserGuide()
{
    if (!guideWindow) {
        auto *browser = new QTextBrowser(this);
        browser->setWindowFlag(Qt::Window);
        browser->setWindowTitle(tr("User Guide"));
        browser->setObjectName(QStringLiteral("userGuide"));
        browser->setOpenExternalLinks(true);
        browser->setSource(UserGuideSource(QLocale()));
        CloseOnEscape(browser);
        guideWindow = browser;
    }
    ShowToolWindow(guideWindow, QSize(640, 600), true);
}

void SKMcarEditor::ShowMessages()
{
    ShowToolWindow(messageLog, messageLog->size(), true);
}

void SKMcarEditor::ShowToolWindow(QWidget *tool, QSize wanted, bool activate)
{
    // A window already on show stays where the user put it.
    if (!tool->isVisible())
        PlaceBeside(*tool, *this, wanted);
    tool->show();
    tool->raise();
    if (activate)
        tool->activateWindow();
}

void SKMcarEditor::KeepToolWindowsBeside()
{
    if (!isVisible())
        return;
    const QList<QPair<QWidget *, QSize>> tools = {
        {overview ? overview->window() : nullptr, overview ? overview->sizeHint() : QSize()},
        {comparison ? comparison->window() : nullptr, comparison ? comparison->sizeHint() : QSize()},
        {historyWindow, historyWindow ? historyWindow->size() : QSize()},
        {guideWindow, guideWindow ? guideWindow->size() : QSize()},
        {messageLog, messageLog ? messageLog->size() : QSize()}};
    for (const auto &[tool, wanted] : tools)
        if (tool && tool != this && NeedsNewPlace(*tool, *this)) {
            PlaceBeside(*tool, *this, wanted);
            // Where it has to go over the main window, it stays on top of it:
            // the window manager may have raised the main window after it.
            if (tool->frameGeometry().intersects(frameGeometry()))
                tool->raise();
        }
}

void SKMcarEditor::ZoomBy(bool in)
{
    selection.setZoom(in ? ZoomedIn(selection.zoom()) : ZoomedOut(selection.zoom()));
}

void SKMcarEditor::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void SKMcarEditor::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    QString refusal;
    if (urls.size() != 1)
        refusal = tr("Drop one file at a time (%1 were dropped).").arg(urls.size());
    else if (!urls.first().isLocalFile())
        refusal = tr("%1 is not a local file.").arg(urls.first().toDisplayString());
    else if (QFileInfo(urls.first().toLocalFile()).isDir())
        refusal = tr("%1 is a folder, not a file.").arg(QDir::toNativeSeparators(urls.first().toLocalFile()));
    if (!refusal.isEmpty()) {
        event->ignore();
        prompts->warn(tr("Drop"), refusal);
        return;
    }
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    const QRect spriteArea(ui->labelSprite->mapTo(this, QPoint(0, 0)), ui->labelSprite->size());
    if (spriteArea.contains(event->position().toPoint()))
        exchangeControl->ImportDroppedFile(path);
    else
        OpenRom(path);
}
