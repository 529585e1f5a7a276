#pragma once

// A window on a small cartridge image for the exchange tests, and a helper
// that answers the file dialogs of the exchange slots.

#include <QFileInfo>
#include <QRandomGenerator>

#include "editor/window/skmcareditor.h"
#include "core/exchangetestdata.h"
#include "scriptedprompts.h"
#include "windowprobe.h"
#include "exchange/exchangescope.h"
#include "rom/colorword.h"
#include "rom/romwriter.h"

// Sprites of random indices 0-5 and 11-15 (the ones a picture import gives
// back with the "Import/Export" palette); ROM palette p is the fixed palette
// with entries 1 to 3 changed, so no palette holds the background colour.
inline CarData ExchangeTestData(quint32 seed = 1)
{
    const QList<int> indices = CandidateIndices();
    QRandomGenerator random(seed);
    CarData data;
    for (int c = 0; c < kCarCount; ++c) {
        QList<SpritePixels> car;
        for (int s = 0; s < kSpritesPerCar; ++s) {
            SpritePixels pixels(kPixelsPerSprite);
            for (int &p : pixels)
                p = indices.at(random.bounded(int(indices.size())));
            car.append(pixels);
        }
        data.sprites.append(car);
    }
    for (int p = 0; p < kRomPaletteCount; ++p) {
        Palette palette = ImportExportPalette();
        palette[1] = QColor(ColorLevels[p % 8], 0, 36);
        data.palettes.append(palette);
    }
    return NormalizeCarData(data);
}

// Chooses the scope controls the way a user does.
inline void SelectScope(WindowProbe &probe, ExchangeScope scope, bool separateFiles, int carNumber = 1,
                        int spriteNumber = 1)
{
    const FormControls *ui = probe.ui();
    ui->radioButtonSaveSprite->setChecked(scope == ExchangeScope::Sprite);
    ui->radioButtonSaveCar->setChecked(scope == ExchangeScope::Car);
    ui->radioButtonSaveAll->setChecked(scope == ExchangeScope::AllCars);
    ui->checkBoxMultipleFiles->setChecked(separateFiles);
    ui->spinBoxCarNumber->setValue(carNumber);
    ui->spinBoxSpriteNumber->setValue(spriteNumber);
}

// Answers the file dialogs asked while it lives with fileName (cancels them
// when fileName is empty), and tells what was asked meanwhile.
class DialogScript
{
public:
    DialogScript(ScriptedPrompts &prompts, const QString &fileName)
        : prompts(prompts), askedBefore(prompts.asked.size()), requestsBefore(prompts.fileRequests.size())
    {
        prompts.fileAnswers.clear();
        if (!fileName.isEmpty())
            prompts.fileAnswers = QList<FileChoice>(8, FileChoice{fileName, 0});
    }
    ~DialogScript()
    {
        prompts.fileAnswers.clear();
        prompts.fileTypeLabel.clear();
    }

    // The file type chosen in the dialogs, by its label.
    void chooseType(const QString &label) { prompts.fileTypeLabel = label; }

    QStringList messages() const { return prompts.messages().mid(messagesBefore()); }
    QStringList dialogTitles() const { return prompts.fileTitles().mid(requestsBefore); }
    QStringList proposedNames() const
    {
        QStringList names;
        for (const FileRequest &request : prompts.fileRequests.mid(requestsBefore))
            names << QFileInfo(request.proposedName).fileName();
        return names;
    }
    // The file types of each dialog, joined by ";;".
    QStringList dialogFilters() const
    {
        QStringList filters;
        for (const FileRequest &request : prompts.fileRequests.mid(requestsBefore)) {
            QStringList labels;
            for (const FileRequest::Type &type : request.types)
                labels << type.label;
            filters << labels.join(QStringLiteral(";;"));
        }
        return filters;
    }

private:
    qsizetype messagesBefore() const
    {
        qsizetype count = 0;
        for (qsizetype i = 0; i < askedBefore; ++i) {
            const ScriptedPrompts::Kind kind = prompts.asked.at(i).kind;
            if (kind == ScriptedPrompts::Kind::Warn || kind == ScriptedPrompts::Kind::Inform
                || kind == ScriptedPrompts::Kind::Failure)
                ++count;
        }
        return count;
    }

    ScriptedPrompts &prompts;
    qsizetype askedBefore;
    qsizetype requestsBefore;
};
