#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A path as the system layer (sys/sysfile.h) takes it: the file system's own
// bytes (QFile::encodeName), and UTF-8 on Windows, where encodeName would give
// the ANSI code page and lose every name outside it.
inline QByteArray NativePath(const QString &path)
{
#ifdef _WIN32
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

inline QString PathFromNative(const QByteArray &path)
{
#ifdef _WIN32
    return QString::fromUtf8(path);
#else
    return QFile::decodeName(path);
#endif
}
