#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include "document/commandids.h"
#include "document/documenttables.h"
#include "rom/cardata.h"
#include "rom/romfilewriter.h"
#include "rom/romimage.h"
#include "rom/romlock.h"
#include "view/pixeltools.h"

class DocumentDelta;

// The editor's data: the ROM file it came from, the working tables, the tables
// as read, and the undo stack. Every change of the tables is a step on the
// stack, made with Change() or RecordPixels(); the window observes the signals and
// redraws what they name. View settings (car on show, zoom, palette chosen,
// background colour) are not part of the steps.
class CarDocument : public QObject
{
    Q_OBJECT

public:
    explicit CarDocument(QObject *parent = nullptr);
    ~CarDocument() override;

    // How long a save waits for another program's lock on the file.
    static constexpr int kSaveLockWaitMs = 10000;

    // Reads the ROM file at path whole (kept for saving) and loads its car
    // data. A file that cannot be read whole is still shown as far as it can
    // be read, but never saved: imageError() says why.
    void Open(const QString &path);
    // The same for a file read already (as the ROM check does).
    void Open(const RomImage &image);
    // Replaces everything with romData as the data of the ROM at path
    // (normalised, the "Import/Export" palette added, offsets zero) and
    // empties the stack. The kept image is left as it is.
    void Load(const QString &path, const CarData &romData);

    // The ROM file as opened or last saved; saves start from it.
    RomImage &image() { return romImage; }
    const RomImage &image() const { return romImage; }
    const QString &imageError() const { return romImageError; }
    // The file's bytes as they were when it was opened (a save does not change
    // them): what a patch for sharing starts from.
    const QByteArray &openedFileBytes() const { return opened; }
    // The image as the car data sees it: de-interleaved for an .smd file.
    const QByteArray &plainImage() const { return plain; }
    // Not empty for an interleaved .smd file: saves interleave again.
    const QByteArray &smdHeader() const { return smd; }
    // What the ROM check found when the file was opened (see rom/romcheck.h).
    const QStringList &openProblems() const { return problems; }
    // The file bytes a save would write now (offsets baked, checksum fixed).
    QByteArray bytesToSave() const;
    // Writes the tables into the file (see SaveCarData), holding the file's
    // lock (RomFileLock, waiting at most kSaveLockWaitMs); on success the
    // image and the plain bytes are the saved ones. Does not touch the stack.
    // The file is protected from every other output (rom/protectedfiles.h)
    // while it is open.
    Result<SaveMethod> SaveToFile();
    // The same for a caller that took the file's lock itself (held), so that
    // what it looked at on disk before is still what is there.
    Result<SaveMethod> SaveToFile(const RomFileLock &held);

    const QString &path() const { return romImage.path; }
    const DocumentTables &tables() const { return current; }
    const SpriteTable &sprites() const { return current.sprites; }
    const PaletteTable &palettes() const { return current.palettes; }
    const CharacteristicsTable &characteristics() const { return current.characteristics; }
    const WeaponTable &weapons() const { return current.weapons; }
    const SpriteOffsets &offsets() const { return current.offsets; }
    // The tables as read from the ROM (offsets all zero).
    const DocumentTables &original() const { return asRead; }
    // The ROM tables as they would be saved now: offsets baked in, palette 10 dropped.
    CarData dataToSave() const;
    bool hasPendingOffsets() const;

    QUndoStack *undoStack() { return &stack; }
    bool isModified() const { return !stack.isClean(); }

    // The colour that stands in for index 0 on screen and in exchanged pictures.
    QColor background() const { return backgroundColor; }
    void setBackground(const QColor &color);

    // Makes one undoable step named text that turns the tables into after.
    // Nothing is pushed when after equals the tables now or has another shape.
    // Steps with the same id (not kNoMerge) and merge key fold into one.
    // Returns whether the tables changed.
    bool Change(const QString &text, StepFocus focus, const DocumentTables &after, int id = kNoMerge,
                const QList<int> &mergeKey = {});
    // Draws pixel changes into a sprite without a step: a stroke in progress,
    // which RecordPixels() finishes.
    void DrawLive(int car, int sprite, const PixelChanges &changes);
    // Records a step of pixel changes that are in the tables already (a
    // finished stroke): the step holds those pixels and nothing else.
    // Returns whether a step was pushed.
    bool RecordPixels(const QString &text, StepFocus focus, int car, int sprite, const PixelChanges &changes,
                      int id = kDrawCommand);
    // Changes the tables without a step. Same-shape tables only.
    void SetLive(const DocumentTables &tables, const TableChanges &changes);

    // Marks the tables as saved.
    void MarkSaved();

    // For the steps: puts a delta's values in and tells the observers.
    void applyDelta(const DocumentDelta &delta, bool forward, StepFocus focus, bool showFocus);

signals:
    void tablesChanged(const TableChanges &changes);
    void focusRequested(const StepFocus &focus);
    void backgroundChanged();
    // The ROM was replaced (Load): every control shows the new data.
    void loaded();
    void modifiedChanged(bool modified);

private:
    void ProtectRom(const QString &path);

    QString protectedPath;
    RomImage romImage;
    QString romImageError;   // why the file could not be read whole
    QByteArray opened;
    QByteArray plain;
    QByteArray smd;
    QStringList problems;
    DocumentTables current;
    DocumentTables asRead;
    QColor backgroundColor;
    QUndoStack stack;
};
