#include "editor/window/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool IsReadableRegularFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QString RecentFiles::normalized(const QString &path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

RecentFiles::RecentFiles() : own(std::make_unique<QSettings>()), settings(*own), key(SettingsKey::RecentFiles)
{
    load();
}

RecentFiles::RecentFiles(QSettings &settings, const QString &key) : settings(settings), key(key)
{
    load();
}

void RecentFiles::load()
{
    // Whatever was stored (by hand, or by an older version) is tidied on the way in.
    for (const QString &entry : settings.value(key).toStringList()) {
        const QString path = normalized(entry);
        if (!path.isEmpty() && !list.contains(path) && list.size() < kMaximum)
            list.append(path);
    }
}

QString RecentFiles::lastFolder() const
{
    return list.isEmpty() ? QString() : QFileInfo(list.first()).absolutePath();
}

bool RecentFiles::add(const QString &path)
{
    const QString entry = normalized(path);
    if (entry.isEmpty())
        return true;
    list.removeAll(entry);
    list.prepend(entry);
    if (list.size() > kMaximum)
        list.resize(kMaximum);
    return store();
}

bool RecentFiles::remove(const QString &path)
{
    list.removeAll(normalized(path));
    return store();
}

QStringList RecentFiles::prune(bool *written)
{
    QStringList removed;
    for (const QString &entry : std::as_const(list)) {
        if (!IsReadableRegularFile(entry))
            removed.append(entry);
    }
    for (const QString &entry : std::as_const(removed))
        list.removeAll(entry);
    const bool ok = removed.isEmpty() || store();
    if (written)
        *written = ok;
    return removed;
}

bool RecentFiles::store()
{
    settings.setValue(key, list);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
