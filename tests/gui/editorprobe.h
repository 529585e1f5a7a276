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

#include "app/skmcareditor.h"
#include "ui_skmcareditor.h"

class EditorProbe
{
public:
    explicit EditorProbe(SKMcarEditor &editor) : e(editor) {}

    Ui::SKMcarEditor *ui() const { return e.ui; }
    QString &romFileName() { return e.romFileName; }
    SpriteTable &sprites() { return e.sprites; }
    PaletteTable &palettes() { return e.palettes; }
    CharacteristicsTable &characteristics() { return e.characteristics; }
    WeaponTable &weapons() { return e.weapons; }
    SpriteTable &romSprites() { return e.romSprites; }
    PaletteTable &romPalettes() { return e.romPalettes; }
    CharacteristicsTable &romCharacteristics() { return e.romCharacteristics; }
    WeaponTable &romWeapons() { return e.romWeapons; }
    bool &reactToControls() { return e.reactToControls; }
    bool &reactToMoveControls() { return e.reactToMoveControls; }
    QTimer &animationTimer() { return e.animationTimer; }
    SpriteOffsets &spriteOffsets() { return e.spriteOffsets; }
    QColor &backgroundColor() { return e.backgroundColor; }

    QImage composeSprite(int car, int sprite, bool mirrored, bool wheels, bool offsets) const
    {
        return e.ComposeSprite(car, sprite, mirrored, wheels, offsets);
    }
    void applySpriteOffsets() { e.ApplySpriteOffsets(); }
    void centerSprite(int car, int sprite) { e.CenterSprite(car, sprite); }
    void centerCar(int car) { e.CenterCar(car); }
    bool saveToRom() { return e.SaveToRom(); }
    bool imageToSprite(const QImage &image, int car, int sprite) { return e.ImageToSprite(image, car, sprite); }
    bool imageToCar(const QImage &image, int car) { return e.ImageToCar(image, car); }
    QImage renderCarSheet(int car) const { return e.RenderCarSheet(car); }
    bool exportSprites(const QString &fileName) { return e.ExportSprites(fileName); }
    QString importSprites(const QString &fileName) { return e.ImportSprites(fileName); }

    // Runs a slot by name, as a connected signal would.
    bool invoke(const char *slot) { return QMetaObject::invokeMethod(&e, slot, Qt::DirectConnection); }

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
