#pragma once

// A window opened on a small cartridge image that the test wrote into a fresh
// temporary folder of its own, its questions answered by a script.

#include <QString>
#include <QTemporaryDir>

#include "common/romfiles.h"
#include "common/testrom.h"
#include "rom/romwriter.h"
#include "scriptedprompts.h"
#include "windowprobe.h"

struct TestWindow
{
    // Writes data as romName into a new temporary folder and opens the window on
    // it with the animation stopped, so that what it shows changes only when the
    // test acts.
    explicit TestWindow(const CarData &data, const QString &romName = QStringLiteral("game.rom"))
        : romWritten(dir.isValid() && WriteRom(dir.filePath(romName), data)),
          editor(dir.filePath(romName), &prompts), probe(editor)
    {
        probe.animation().stop();
    }

    // A window dropped without closing keeps its recovery file, as at a
    // logout; the next window on the same ROM would be offered it.
    ~TestWindow() { editor.Recovery().Discard(); }

    QString path(const QString &name) const { return dir.filePath(name); }

    // In this order, so that the window closes before its folder and its prompts go.
    QTemporaryDir dir;
    const bool romWritten;   // false when the folder or the image could not be made
    ScriptedPrompts prompts;
    SKMcarEditor editor;
    WindowProbe probe;
};
