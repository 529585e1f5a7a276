// The window's shell: menu bar, status bar, opening ROMs (menu, recent list,
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
#include <QSettings>
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
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteoverview.h"
#include "editor/window/screenfit.h"
#include "editor/window/skmcareditor.h"
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

const QString kPixelGridKey = QStringLiteral("view/pixelGrid");
const QString kTileGridKey = QStringLiteral("view/tileGrid");
const QString kCheckerboardKey = QStringLiteral("view/checkerboard");

QString Hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

QAction *AddAction(QMenu *menu, const QString &text, const QString &name, const QKeySequence &keys = {})
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
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

QAction *SKMcarEditor::GridAction(const QString &text, const QString &name, const QString &key,
                                  void (SpriteView::*show)(bool))
{
    // Checkable, remembered between runs, off at first.
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(QSettings().value(key, false).toBool());
    SpriteView *view = ui->labelSprite;
    (view->*show)(action->isChecked());
    connect(action, &QAction::toggled, this, [view, key, show](bool on) {
        (view->*show)(on);
        QSettings().setValue(key, on);
    });
    return action;
}

void SKMcarEditor::CreateMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    layout()->setMenuBar(menuBar);

    QMenu *file = menuBar->addMenu(tr("&File"));
    connect(AddAction(file, tr("&Open ROM..."), QStringLiteral("actionOpen"), QKeySequence::Open),
            &QAction::triggered, this, &SKMcarEditor::OpenRomDialog);
    recentMenu = file->addMenu(tr("Open &Recent"));
    recentMenu->setObjectName(QStringLiteral("menuRecent"));
    file->addSeparator();
    connect(AddAction(file, tr("&Save"), QStringLiteral("actionSave"), QKeySequence::Save), &QAction::triggered, this,
            &SKMcarEditor::SaveNow);
    connect(AddAction(file, tr("Save a &Copy As..."), QStringLiteral("actionSaveCopy")), &QAction::triggered, this,
            &SKMcarEditor::SaveCopyAs);
    connect(AddAction(file, tr("Re&vert"), QStringLiteral("actionRevert")), &QAction::triggered, this,
            &SKMcarEditor::Revert);
    file->addSeparator();
    connect(AddAction(file, tr("&Import..."), QStringLiteral("actionImport")), &QAction::triggered, exchangeControl,
            &ExchangeController::LoadSprite);
    connect(AddAction(file, tr("&Export..."), QStringLiteral("actionExport")), &QAction::triggered, exchangeControl,
            &ExchangeController::SaveSprite);
    file->addAction(animationExport->action());
    file->addAction(paletteFileControl->ImportAction());
    file->addAction(paletteFileControl->ExportAction());
    file->addAction(patchControl->CreateAction());
    file->addSeparator();
    file->addAction(editLinkControl->EditAction());
    file->addAction(editLinkControl->StopAction());
    file->addSeparator();
    // No shortcut: Ctrl+Q is the quick import.
    connect(AddAction(file, tr("&Quit"), QStringLiteral("actionQuit")), &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menuBar->addMenu(tr("&Edit"));
    edit->addAction(undoAction);
    edit->addAction(redoAction);
    edit->addSeparator();
    connect(AddAction(edit, tr("&History"), QStringLiteral("actionHistory")), &QAction::triggered, this,
            &SKMcarEditor::ShowHistory);
    edit->addSeparator();
    QAction *preferences = AddAction(edit, tr("&Preferences..."), QStringLiteral("actionPreferences"));
    preferences->setShortcuts(QKeySequence::Preferences);
    connect(preferences, &QAction::triggered, this, [this] { OpenPreferences(this); });

    CreateEditingMenus();

    QMenu *view = menuBar->addMenu(tr("&View"));
    QAction *zoomIn = AddAction(view, tr("Zoom &In"), QStringLiteral("actionZoomIn"));
    zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, this, [this] { ZoomBy(true); });
    connect(AddAction(view, tr("Zoom &Out"), QStringLiteral("actionZoomOut"), QKeySequence(Qt::CTRL | Qt::Key_Minus)),
            &QAction::triggered, this, [this] { ZoomBy(false); });
    connect(AddAction(view, tr("&Default Zoom"), QStringLiteral("actionDefaultZoom"), QKeySequence(Qt::CTRL | Qt::Key_0)),
            &QAction::triggered, this, [this] { selection.setZoom(kDefaultZoom); });
    connect(AddAction(view, tr("Zoom to &Fit"), QStringLiteral("actionZoomToFit"), QKeySequence(Qt::CTRL | Qt::Key_9)),
            &QAction::triggered, this, &SKMcarEditor::ZoomToFit);
    view->addSeparator();
    view->addAction(GridAction(tr("&Pixel Grid"), QStringLiteral("actionPixelGrid"), kPixelGridKey,
                               &SpriteView::setPixelGridVisible));
    view->addAction(GridAction(tr("&Tile Grid"), QStringLiteral("actionTileGrid"), kTileGridKey,
                               &SpriteView::setTileGridVisible));
    view->addAction(consoleColours->action());
    auto *checker = new QAction(tr("Show &Background as Checkerboard"), this);
    checker->setObjectName(QStringLiteral("actionCheckerboard"));
    checker->setCheckable(true);
    checker->setChecked(QSettings().value(kCheckerboardKey, false).toBool());
    display->setCheckerboard(checker->isChecked());
    connect(checker, &QAction::toggled, this, [this](bool on) {
        display->setCheckerboard(on);
        overview->setCheckerboard(on);
        QSettings().setValue(kCheckerboardKey, on);
    });
    view->addAction(checker);
    view->addSeparator();
    CreateOverview(view);
    overview->setCheckerboard(checker->isChecked());
    connect(AddAction(view, tr("&Messages"), QStringLiteral("actionMessages")), &QAction::triggered, this,
            &SKMcarEditor::ShowMessages);

    QMenu *game = menuBar->addMenu(tr("&Game"));
    game->setObjectName(QStringLiteral("menuGame"));
    game->addAction(playTestControl->PlayAction());

    QMenu *help = menuBar->addMenu(tr("&Help"));
    connect(AddAction(help, tr("&User Guide"), QStringLiteral("actionUserGuide"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &SKMcarEditor::ShowUserGuide);
    connect(AddAction(help, tr("&About"), QStringLiteral("actionAbout")), &QAction::triggered, this,
            &SKMcarEditor::ShowInfo);
    connect(AddAction(help, tr("About &Qt"), QStringLiteral("actionAboutQt")), &QAction::triggered, qApp,
            &QApplication::aboutQt);

    UpdateRecentMenu();
}

void SKMcarEditor::CreateStatusBar()
{
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    romInfo = new QLabel(statusBar);
    romInfo->setObjectName(QStringLiteral("labelRomInfo"));
    statusBar->addPermanentWidget(romInfo);
    statusBar->addPermanentWidget(consoleColours->statusLabel());
    if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->addWidget(statusBar);
    // A long message is cut at the bar's width: its tooltip holds it whole,
    // and a screen reader hears what the bar shows.
    messageLog = new MessageLog(this);
    messageLog->setWindowFlag(Qt::Tool);
    CloseOnEscape(messageLog);
    connect(statusBar, &QStatusBar::messageChanged, this, [this](const QString &text) {
        statusBar->setToolTip(text);
        statusBar->setAccessibleName(text.isEmpty() ? romInfo->text() : text);
    });
    connect(romControl, &RomController::statusMessage, this, &SKMcarEditor::ShowStatus);
    connect(romControl, &RomController::saved, this, &SKMcarEditor::UpdateRomInfo);
    connect(exchangeControl, &ExchangeController::statusMessage, this, &SKMcarEditor::ShowStatus);
    connect(paletteFileControl, &PaletteFileController::statusMessage, this, &SKMcarEditor::ShowStatus);
    connect(patchControl, &PatchController::statusMessage, this, &SKMcarEditor::ShowStatus);
    connect(playTestControl, &PlayTestController::statusMessage, this, &SKMcarEditor::ShowStatus);
    connect(editLinkControl, &EditLinkController::statusMessage, this, &SKMcarEditor::ShowStatus);
    // "Linked: car-3.png" while the live link runs.
    auto *linkLabel = new QLabel(statusBar);
    linkLabel->setObjectName(QStringLiteral("labelLink"));
    linkLabel->hide();
    statusBar->addPermanentWidget(linkLabel);
    connect(editLinkControl, &EditLinkController::linkChanged, linkLabel, [linkLabel](const QString &text) {
        linkLabel->setText(text);
        linkLabel->setVisible(!text.isEmpty());
    });
    connect(recoveryControl, &RecoveryController::statusMessage, this, &SKMcarEditor::ShowStatus);
    connect(animationExport, &AnimationExportController::statusMessage, this, &SKMcarEditor::ShowStatus);
    // The pixel under the mouse, while it is over the sprite.
    pixelReadout = new QLabel(statusBar);
    pixelReadout->setObjectName(QStringLiteral("labelPixel"));
    statusBar->addPermanentWidget(pixelReadout);
    connect(drawingControl, &DrawingController::pixelInfo, pixelReadout, &QLabel::setText);
    UpdateRomInfo();
}

void SKMcarEditor::ShowStatus(const QString &text)
{
    statusBar->showMessage(text);
    messageLog->add(text);
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

void SKMcarEditor::SaveNow()
{
    romControl->SaveToRom();
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
        SaveNow();   // the open file itself: an ordinary save
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
        {historyWindow, historyWindow ? historyWindow->size() : QSize()},
        {guideWindow, guideWindow ? guideWindow->size() : QSize()},
        {messageLog, messageLog ? messageLog->size() : QSize()}};
    for (const auto &[tool, wanted] : tools)
        if (tool && tool != this && NeedsNewPlace(*tool, *this))
            PlaceBeside(*tool, *this, wanted);
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
