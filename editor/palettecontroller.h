#pragma once

#include <QObject>

#include "editor/editorcontext.h"

// The selected palette's swatches and commands: colour dialog and random
// colour for entries 1-3, swap, shift, restore, and the background colour
// (a view setting, not a step).
class PaletteController : public QObject
{
    Q_OBJECT

public:
    PaletteController(EditorContext &context, QObject *parent);

public slots:
    void ShowColors();
    void ChangeColor1();
    void ChangeColor2();
    void ChangeColor3();
    void RandomColor1();
    void RandomColor2();
    void RandomColor3();
    void ChangeColorBg();
    void RestorePalette();
    void ShiftPalette();
    void SwapPalette();

private:
    void ChangeColor(int entry);
    void RandomColor(int entry);
    // Makes the step text for the selected palette and pushes the change.
    void ChangePalette(const QString &text, const Palette &after);

    EditorContext &context;
};
