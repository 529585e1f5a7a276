#pragma once

// A window opened on a small cartridge image that the test wrote into a fresh
// temporary folder of its own.

#include <QString>
#include <QTemporaryDir>

#include "common/romfiles.h"
#include "common/testrom.h"
#include "editorprobe.h"
#include "rom/romwriter.h"

struct TestWindow
{
    // Writes data as romName into a new temporary folder and opens the window on
    // it with the animation stopped, so that what it shows changes only when the
    // test acts.
    explicit TestWindow(const CarData &data, const QString &romName = QStringLiteral("game.rom"))
        : romWritten(dir.isValid() && WriteRom(dir.filePath(romName), data)), editor(dir.filePath(romName)),
          probe(editor)
    {
        probe.animationTimer().stop();
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // In this order, so that the window closes before its folder goes.
    QTemporaryDir dir;
    const bool romWritten;   // false when the folder or the image could not be made
    SKMcarEditor editor;
    EditorProbe probe;
};
