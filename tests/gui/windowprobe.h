#pragma once

// The window as the tests drive it, through its public surface only: the
// document, the selection, the animation, controls and controllers found by
// object name, and the scripted prompts the test window answers with.

#include <memory>

#include <QApplication>
#include <QObject>
#include <QTest>

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/state/animator.h"
#include "editor/controllers/exchangecontroller.h"
#include "editor/controllers/offsetcontroller.h"
#include "editor/controllers/palettefilecontroller.h"
#include "editor/controllers/patchcontroller.h"
#include "editor/controllers/romcontroller.h"
#include "editor/window/skmcareditor.h"
#include "editor/window/statussink.h"
#include "exchange/exchangedata.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "formcontrols.h"
#include "scriptedprompts.h"

class WindowProbe
{
public:
    explicit WindowProbe(SKMcarEditor &editor) : e(editor) {}

    const FormControls *ui() const
    {
        if (!form)
            form = std::make_shared<FormControls>(e);
        return form.get();
    }
    CarDocument &document() { return e.Document(); }
    Selection &selection() { return e.Shown(); }
    Animator &animation() { return e.Animation(); }

    const SpriteTable &sprites() { return document().sprites(); }
    const PaletteTable &palettes() { return document().palettes(); }
    const CharacteristicsTable &characteristics() { return document().characteristics(); }
    const WeaponTable &weapons() { return document().weapons(); }
    const SpriteOffsets &spriteOffsets() { return document().offsets(); }
    const SpriteTable &romSprites() { return document().original().sprites; }
    const PaletteTable &romPalettes() { return document().original().palettes; }
    const CharacteristicsTable &romCharacteristics() { return document().original().characteristics; }
    const WeaponTable &romWeapons() { return document().original().weapons; }
    QColor backgroundColor() { return document().background(); }
    // Where a save writes to.
    QString &romFileName() { return document().image().path; }

    // Changes the working tables without an undo step, as an edit made
    // before the test's action; the window shows the change.
    template <typename Edit>
    void edit(Edit change)
    {
        DocumentTables tables = document().tables();
        change(tables);
        TableChanges all;
        all.everything = true;
        document().SetLive(tables, all);
    }

    // The sprite as the window composes it, in the palette on show.
    QImage composeSprite(int car, int sprite, bool mirrored, bool wheels, bool offsets)
    {
        return ComposeDocumentSprite(document(), {car, sprite, selection().palette(), mirrored, wheels, offsets});
    }

    // Clicks a control by object name as the mouse does (buttons, check boxes
    // and the command labels alike).
    void click(const char *name)
    {
        QWidget *control = Control<QWidget>(e, name);
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->click();
        else
            QTest::mouseClick(control, Qt::LeftButton);
    }

    void rightClick(const char *name) { QTest::mouseClick(Control<QWidget>(e, name), Qt::RightButton); }

    template <typename T>
    T &controller(const char *name)
    {
        T *found = e.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("the window has no %s", name);
        return *found;
    }
    ExchangeController &exchange() { return controller<ExchangeController>("exchangeController"); }
    PaletteFileController &paletteFiles() { return controller<PaletteFileController>("paletteFileController"); }
    PatchController &patches() { return controller<PatchController>("patchController"); }
    // Every line the controllers sent to the status bar.
    StatusLog &statusLog() { return controller<StatusLog>("statusLog"); }
    bool saveToRom() { return controller<RomController>("romController").SaveToRom(); }
    void centerSprite(int car, int sprite) { controller<OffsetController>("offsetController").CenterSprite(car, sprite); }
    void centerCar(int car) { controller<OffsetController>("offsetController").CenterCar(car); }
    bool exportSprites(const QString &fileName) { return exchange().ExportSprites(fileName).ok(); }
    // Every failure of the import, one a line ending in a line break; empty when it read everything.
    QString importSprites(const QString &fileName)
    {
        const Result<ExchangeController::Imported> imported = exchange().ImportSprites(fileName);
        QString lines;
        for (const Failure &failure : imported ? imported->report.skipped : QList<Failure>{imported.failure()})
            lines += failure.message() + QLatin1Char('\n');
        return lines;
    }

    // The window's "dithering" and "classic matching" switches.
    MatchOptions boxMatching()
    {
        return MatchOptions{ui()->checkBoxDither->isChecked(), ui()->classicMatching->isChecked()
                                                                    ? ColorMatching::Classic
                                                                    : ColorMatching::Perceptual};
    }

    // A picture matched into one sprite or one car's sheet as one step, in
    // the palette on show, with the window's dithering and matching switches.
    bool imageToSprite(const QImage &image, int car, int sprite)
    {
        DocumentTables after = document().tables();
        if (car < 0 || car >= after.sprites.size() || sprite < 0 || sprite >= after.sprites.at(car).size())
            return false;
        const std::optional<SpritePixels> pixels =
            ConvertSpritePicture(image, shownPalette(), document().background(), boxMatching());
        if (!pixels)
            return false;
        after.sprites[car][sprite] = *pixels;
        document().Change(QStringLiteral("Import a picture into sprite %1 of car %2").arg(sprite + 1).arg(car + 1),
                          {car, sprite, -1}, after);
        return true;
    }
    bool imageToCar(const QImage &image, int car)
    {
        DocumentTables after = document().tables();
        if (car < 0 || car >= after.sprites.size())
            return false;
        if (!ConvertCarSheet(image, shownPalette(), document().background(), boxMatching(), after.sprites[car]))
            return false;
        document().Change(QStringLiteral("Import a picture into car %1").arg(car + 1), {car, -1, -1}, after);
        return true;
    }
    QImage renderCarSheet(int car)
    {
        const ExchangeData data{document().sprites(), document().offsets(), shownPalette(), document().background()};
        return CarSheetPicture(data, car);
    }

private:
    Palette shownPalette() { return document().palettes().value(selection().palette()); }

    SKMcarEditor &e;
    mutable std::shared_ptr<FormControls> form;
};
