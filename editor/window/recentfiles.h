#pragma once

#include <memory>

#include <QSettings>
#include <QString>
#include <QStringList>

#include "external/settingskeys.h"

// Whether path names a regular file (or a link to one) that opens for reading:
// not a folder, a FIFO or a device.
bool IsReadableRegularFile(const QString &path);

// The recently opened ROM files, most recent first, at most ten, kept under
// one key of a settings store. Paths are kept absolute and cleaned, so the
// same file named two ways is one entry. The list lives in memory too: when the
// store cannot be written the session keeps working and nothing else in the
// store is touched.
class RecentFiles
{
public:
    static constexpr int kMaximum = 10;

    // The list of the program's settings file.
    RecentFiles();
    // The list under key of another store, which must outlive this object.
    explicit RecentFiles(QSettings &settings, const QString &key = SettingsKey::RecentFiles);

    QStringList files() const { return list; }
    // The folder of the most recent file; empty when the list is.
    QString lastFolder() const;

    // Each change is written at once; false when the store could not be written.
    bool add(const QString &path);
    bool remove(const QString &path);
    // Removes the entries that are not readable regular files (gone, folders,
    // FIFOs, unreadable) and returns them, in list order. *written (if given)
    // says whether the store took the change.
    QStringList prune(bool *written = nullptr);

    static QString normalized(const QString &path);

private:
    void load();
    bool store();

    std::unique_ptr<QSettings> own;   // the program's settings file, when no store was given
    QSettings &settings;
    QString key;
    QStringList list;
};
