#pragma once

// White-box access to the window for the tests (the window befriends this class).

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include "editor/equipmentcontroller.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "editor/exchangecontroller.h"
#include "editor/offsetcontroller.h"
#include "editor/palettecontroller.h"
#include "editor/palettefilecontroller.h"
#include "editor/patchcontroller.h"
#include "editor/romcontroller.h"
#include "editor/skmcareditor.h"
#include "editor/spriteviewcontroller.h"
#include "ui_skmcareditor.h"

class EditorProbe
{
public:
    explicit EditorProbe(SKMcarEditor &editor) : e(editor) {}

    Ui::SKMcarEditor *ui() const { return e.ui; }
    CarDocument &document() { return e.document; }
    QString &romFileName() { return e.document.romImage.path; }
    SpriteTable &sprites() { return e.document.current.sprites; }
    PaletteTable &palettes() { return e.document.current.palettes; }
    CharacteristicsTable &characteristics() { return e.document.current.characteristics; }
    WeaponTable &weapons() { return e.document.current.weapons; }
    SpriteTable &romSprites() { return e.document.asRead.sprites; }
    PaletteTable &romPalettes() { return e.document.asRead.palettes; }
    CharacteristicsTable &romCharacteristics() { return e.document.asRead.characteristics; }
    WeaponTable &romWeapons() { return e.document.asRead.weapons; }
    bool &reactToControls() { return e.context.reactToControls; }
    bool &reactToMoveControls() { return e.context.reactToMoveControls; }
    QTimer &animationTimer() { return e.viewControl->AnimationTimer(); }
    SpriteOffsets &spriteOffsets() { return e.document.current.offsets; }
    QColor &backgroundColor() { return e.document.backgroundColor; }

    QImage composeSprite(int car, int sprite, bool mirrored, bool wheels, bool offsets) const
    {
        return e.viewControl->ComposeSprite(car, sprite, mirrored, wheels, offsets);
    }
    void applySpriteOffsets() { ::ApplySpriteOffsets(sprites(), spriteOffsets()); }
    void centerSprite(int car, int sprite) { e.offsetsControl->CenterSprite(car, sprite); }
    void centerCar(int car) { e.offsetsControl->CenterCar(car); }
    bool saveToRom() { return e.romControl->SaveToRom(); }
    // A picture matched into one sprite or one car's sheet as one step, as an import does.
    bool imageToSprite(const QImage &image, int car, int sprite)
    {
        DocumentTables after = e.document.tables();
        if (car < 0 || car >= after.sprites.size() || sprite < 0 || sprite >= after.sprites[car].size())
            return false;
        const std::optional<SpritePixels> pixels = ConvertSpritePicture(
            image, e.context.CurrentPalette(), e.document.background(), e.ui->checkBoxDither->isChecked());
        if (!pixels)
            return false;
        after.sprites[car][sprite] = *pixels;
        e.document.Change(QStringLiteral("Import a picture into sprite %1 of car %2").arg(sprite + 1).arg(car + 1),
                          {car, sprite, -1}, after);
        return true;
    }
    bool imageToCar(const QImage &image, int car)
    {
        DocumentTables after = e.document.tables();
        if (car < 0 || car >= after.sprites.size()
            || !ConvertCarSheet(image, e.context.CurrentPalette(), e.document.background(),
                                e.ui->checkBoxDither->isChecked(), after.sprites[car]))
            return false;
        e.document.Change(QStringLiteral("Import a picture into car %1").arg(car + 1), {car, -1, -1}, after);
        return true;
    }
    QImage renderCarSheet(int car) const
    {
        const ExchangeData data{e.document.sprites(), e.document.offsets(), e.context.CurrentPalette(),
                                e.document.background()};
        return CarSheetPicture(data, car);
    }
    bool exportSprites(const QString &fileName) { return e.exchangeControl->ExportSprites(fileName); }
    QString importSprites(const QString &fileName) { return e.exchangeControl->ImportSprites(fileName); }
    ExchangeController &exchange() { return *e.exchangeControl; }
    PaletteFileController &paletteFiles() { return *e.paletteFileControl; }
    PatchController &patches() { return *e.patchControl; }

    // Runs a slot by name, as a connected signal would: the window's own or
    // that of the controller that has it.
    bool invoke(const char *slot)
    {
        for (QObject *target : QList<QObject *>{&e, e.viewControl, e.offsetsControl, e.paletteControl,
                                                e.equipmentControl, e.exchangeControl, e.romControl}) {
            const QByteArray signature = QByteArray(slot) + "()";
            if (target->metaObject()->indexOfMethod(signature.constData()) >= 0)
                return QMetaObject::invokeMethod(target, slot, Qt::DirectConnection);
        }
        return false;
    }

private:
    SKMcarEditor &e;
};


// Answers the modal dialogs that come up while it lives, one after another:
// a message box gets the next standard button of the list (NoButton, or an
// exhausted list, rejects it as Escape would); any other dialog (file or
// colour dialog) is rejected. Records what each dialog said.
class ModalAnswerer : public QObject
{
public:
    struct Seen
    {
        QString className;
        QString title;
        QString text;             // message boxes only
        QString informativeText;  // message boxes only
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    explicit ModalAnswerer(QList<QMessageBox::StandardButton> answers = {}) : pending(std::move(answers))
    {
        connect(&poll, &QTimer::timeout, this, &ModalAnswerer::answer);
        poll.start(20);
    }

    QList<Seen> seen;

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        Seen record{QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), {}, {}, {}};
        const QMessageBox::StandardButton reply = pending.isEmpty() ? QMessageBox::NoButton : pending.takeFirst();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            record.text = box->text();
            record.informativeText = box->informativeText();
            record.icon = box->icon();
            seen.append(record);
            if (QAbstractButton *button = box->button(reply)) {
                button->click();
            } else {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &escape);
            }
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            seen.append(record);
            dialog->reject();
        } else {
            seen.append(record);
            modal->close();
        }
    }

    QList<QMessageBox::StandardButton> pending;
    QTimer poll;
};
