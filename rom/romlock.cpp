#include "rom/romlock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

Result<RomFileLock> RomFileLock::Acquire(const QString &path, Mode mode, int waitMs)
{
    const QByteArray native = QFile::encodeName(path);
    const int operation = mode == Mode::Exclusive ? LOCK_EX : LOCK_SH;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            return RomFileLock();
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return RomFileLock();
        }
        int locked = -1;
        while (locked != 0) {
            locked = ::flock(fd, waitMs < 0 ? operation : operation | LOCK_NB);
            if (locked == 0 || (errno != EWOULDBLOCK && errno != EINTR))
                break;
            if (errno == EWOULDBLOCK) {
                if (clock.elapsed() >= waitMs) {
                    ::close(fd);
                    return Failure{path, QStringLiteral("another program is writing it"), EWOULDBLOCK,
                                   QStringLiteral("lock")};
                }
                QThread::msleep(20);
            }
        }
        if (locked != 0) {
            const int error = errno;
            ::close(fd);
            if (error == ENOLCK || error == EOPNOTSUPP)
                return RomFileLock();   // a file system without locks: carry on unlocked
            return Failure{path, QString::fromLocal8Bit(std::strerror(error)), error, QStringLiteral("lock")};
        }
        // A writer may have replaced the file while we waited: lock what is there now.
        struct stat named {};
        if (::stat(native.constData(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
            RomFileLock lock;
            lock.fd = std::shared_ptr<int>(new int(fd), [](int *held) {
                ::close(*held);
                delete held;
            });
            return lock;
        }
        ::close(fd);
    }
}

bool RomFileLock::IsBusy(const Failure &failure)
{
    return failure.error == EWOULDBLOCK && failure.action == QLatin1String("lock");
}
