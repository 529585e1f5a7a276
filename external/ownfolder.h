#pragma once

#include <memory>

#include <QString>

#include "base/result.h"

// The folders the program makes in the temporary folder for the programs it
// starts: "skm-play-XXXXXX" (a play-test's copy of the ROM) and
// "skm-link-XXXXXX" (the live link's picture).
//
// Each holds a lock file (".skm-owner.lock", flock) for as long as its maker
// runs, so that a later start can tell the folders of a process that was
// killed. Whatever removes a folder's contents removes only the program's own
// file names (its kind's files, the writer's temporaries of them and the
// lock), by descriptor relative to the folder it opened, never following a
// link: a folder replaced by a link, or files another program put there, are
// left alone.
enum class OwnFolderKind { PlayTest, Link };

// Whether name (a name alone, no folder) is one the program writes into a
// folder of kind: "<rom>-play-<n>.bin", "live.lua", "live-changes.bin",
// "live-record.txt", "live-recorded.txt" (and its ".tmp"), "live-state-<n>.sta"; "cars.png", "car-<n>.png",
// "sprite-<n>-<m>.png"; the lock; the writer's ".<name>.skm-XXXXXX".
bool IsOwnFileName(OwnFolderKind kind, const QString &name);

class OwnFolder
{
public:
    // Makes a new folder of kind in temporaryRoot (the system's temporary
    // folder when empty), mode 0700, and takes its lock. A failure names the
    // folder and the reason.
    static Result<std::unique_ptr<OwnFolder>> Make(OwnFolderKind kind, const QString &temporaryRoot = {});

    OwnFolder(const OwnFolder &) = delete;
    OwnFolder &operator=(const OwnFolder &) = delete;
    // Removes the folder (Remove()).
    ~OwnFolder();

    QString path() const { return folderPath; }
    QString filePath(const QString &name) const;

    // Whether path still names the folder made here (not a link, not a folder
    // made anew under the same name, not gone).
    bool isAtPath() const;

    // Removes the own files in the folder made here (wherever it is now), then
    // the lock, then the folder when its path still names it and it is empty.
    // Nothing else is removed. Nothing happens a second time.
    void Remove();

private:
    OwnFolder(OwnFolderKind kind, QString path, int folder, int lock);

    OwnFolderKind kind;
    QString folderPath;
    int folder = -1;   // the folder made, opened without following links
    int lock = -1;     // the lock file, locked for as long as this lives
};

// Removes the folders of both kinds in temporaryRoot (the system's temporary
// folder when empty) whose maker has ended: their lock is free (or they have
// none and are older than a minute). Only the user's own folders, only the
// own file names in them, never through a link; a folder that still holds
// other files stays. Gives the number of folders removed.
int RemoveLeftoverFolders(const QString &temporaryRoot = {});
