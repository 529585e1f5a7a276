#include "recovery/recoverylock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<RecoveryLock> RecoveryLock::TryLock(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    // The holder before may have removed the file between our open and our
    // lock (and a new one may be there): a lock on a removed file is no lock.
    struct stat locked {}, named {};
    if (::fstat(fd, &locked) != 0 || ::stat(name.constData(), &named) != 0 || locked.st_dev != named.st_dev
        || locked.st_ino != named.st_ino) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<RecoveryLock>(new RecoveryLock(path, fd));
}

RecoveryLock::~RecoveryLock()
{
    if (descriptor >= 0)
        ::close(descriptor);
}

void RecoveryLock::RemoveAndRelease()
{
    if (descriptor < 0)
        return;
    QFile::remove(lockPath);
    ::close(descriptor);
    descriptor = -1;
}
