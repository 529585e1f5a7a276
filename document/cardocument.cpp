#include "document/cardocument.h"

#include "document/documentdelta.h"
#include "document/editcommand.h"
#include "rom/colorword.h"
#include "rom/protectedfiles.h"
#include "rom/romcheck.h"
#include "rom/romreader.h"
#include "rom/romlock.h"
#include "rom/romsave.h"

CarDocument::CarDocument(QObject *parent) : QObject(parent), backgroundColor(DefaultBackgroundColor())
{
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

CarDocument::~CarDocument()
{
    ReleaseFile(protectedPath);
}

void CarDocument::ProtectRom(const QString &path)
{
    // Released and taken again after a save too: a replaced file is a new one.
    ReleaseFile(protectedPath);
    protectedPath = path;
    ProtectFile(protectedPath);
}

void CarDocument::Open(const QString &path)
{
    romImageError.clear();
    const Result<RomImage> loaded = RomImage::Load(path);
    if (loaded) {
        Open(*loaded);
        return;
    }
    romImageError = loaded.message();
    romImage = RomImage{path, {}, {}};
    opened.clear();
    plain.clear();
    smd.clear();
    problems = QStringList{romImageError};
    Load(path, ReadRom(path));
}

void CarDocument::Open(const RomImage &image)
{
    romImageError.clear();
    romImage = image;
    opened = romImage.fileBytes;
    const RomContents contents = RomContentsFromFile(image.path, romImage.fileBytes);
    plain = contents.plain;
    smd = contents.smdHeader;
    problems = contents.problems;
    Load(image.path, CarDataFromImage(plain));
}

void CarDocument::Load(const QString &path, const CarData &romData)
{
    const CarData normalized = NormalizeCarData(romData);
    romImage.path = path;
    ProtectRom(path);
    current.sprites = normalized.sprites;
    current.palettes = normalized.palettes;
    current.palettes.append(ImportExportPalette());
    current.characteristics = normalized.characteristics;
    current.weapons = normalized.weapons;
    current.offsets = ZeroOffsetsFor(current.sprites);
    asRead = current;
    stack.clear();
    stack.setClean();
    emit loaded();
    TableChanges all;
    all.everything = true;
    emit tablesChanged(all);
}

CarData CarDocument::dataToSave() const
{
    CarData data{current.sprites, current.palettes, current.characteristics, current.weapons};
    SpriteOffsets offsets = current.offsets;
    ApplySpriteOffsets(data.sprites, offsets);
    data.palettes = data.palettes.mid(0, kRomPaletteCount);
    return data;
}

QByteArray CarDocument::bytesToSave() const
{
    return SavedFileBytes(plain, smd, dataToSave());
}

Result<SaveMethod> CarDocument::SaveToFile()
{
    // A command-line writer on the same file finishes first (and the other way round).
    const Result<RomFileLock> lock = RomFileLock::Acquire(romImage.path, RomFileLock::Mode::Exclusive, kSaveLockWaitMs);
    if (!lock)
        return lock.failure();
    return SaveToFile(*lock);
}

Result<SaveMethod> CarDocument::SaveToFile(const RomFileLock &)
{
    const Result<SaveMethod> result = SaveCarData(romImage, plain, smd, dataToSave());
    ProtectRom(romImage.path);
    return result;
}

bool CarDocument::hasPendingOffsets() const
{
    for (const QList<QPoint> &car : current.offsets)
        for (const QPoint &offset : car)
            if (!offset.isNull())
                return true;
    return false;
}

void CarDocument::setBackground(const QColor &color)
{
    if (color == backgroundColor)
        return;
    backgroundColor = color;
    emit backgroundChanged();
}

bool CarDocument::Change(const QString &text, StepFocus focus, const DocumentTables &after, int id,
                         const QList<int> &mergeKey)
{
    if (!SameShape(current, after))
        return false;
    DocumentDelta delta = DocumentDelta::Between(current, after);
    if (delta.isEmpty())
        return false;
    // push() runs redo(), which puts the after values in.
    stack.push(new EditCommand(this, text, focus, std::move(delta), id, mergeKey));
    return true;
}

void CarDocument::DrawLive(int car, int sprite, const PixelChanges &changes)
{
    if (changes.isEmpty() || car < 0 || car >= current.sprites.size() || sprite < 0
        || sprite >= current.sprites.at(car).size())
        return;
    ApplyPixelChanges(current.sprites[car][sprite], changes);
    TableChanges touched;
    touched.sprites.append({car, sprite});
    emit tablesChanged(touched);
}

bool CarDocument::RecordPixels(const QString &text, StepFocus focus, int car, int sprite,
                               const PixelChanges &changes, int id)
{
    if (car < 0 || car >= current.sprites.size() || sprite < 0 || sprite >= current.sprites.at(car).size())
        return false;
    DocumentDelta delta = DocumentDelta::OfPixels(car, sprite, changes);
    if (delta.isEmpty())
        return false;
    // The change is on show already: the push's redo() writes the same values again.
    stack.push(new EditCommand(this, text, focus, std::move(delta), id));
    return true;
}

void CarDocument::SetLive(const DocumentTables &tables, const TableChanges &changes)
{
    if (!SameShape(current, tables))
        return;
    current = tables;
    emit tablesChanged(changes);
}

void CarDocument::MarkSaved()
{
    stack.setClean();
}

void CarDocument::applyDelta(const DocumentDelta &delta, bool forward, StepFocus focus, bool showFocus)
{
    const TableChanges changes = delta.applyTo(current, forward);
    if (showFocus)
        emit focusRequested(focus);
    emit tablesChanged(changes);
}
