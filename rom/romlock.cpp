#include "rom/romlock.h"

#include <QElapsedTimer>
#include <QFile>

#include "rom/nativepath.h"

Result<RomFileLock> RomFileLock::Acquire(const QString &path, Mode mode, int waitMs)
{
    const QByteArray native = NativePath(path);
    const sys::LockKind kind = mode == Mode::Exclusive ? sys::LockKind::Exclusive : sys::LockKind::Shared;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        sys::Handle fd = sys::kNoHandle;
        if (sys::Open(native.constData(), sys::kReadOnly, &fd) != 0)
            return RomFileLock();
        sys::FileInfo opened;
        if (sys::StatOpen(fd, &opened) != 0 || opened.kind != sys::Kind::Regular) {
            sys::Close(fd);
            return RomFileLock();
        }
        // What is left of the wait after earlier rounds (a file replaced meanwhile).
        const int left = waitMs < 0 ? -1 : int(qMax<qint64>(0, waitMs - clock.elapsed()));
        if (const int error = sys::Lock(fd, kind, left)) {
            sys::Close(fd);
            if (error == EWOULDBLOCK)
                return Failure{path, QStringLiteral("another program is writing it"), EWOULDBLOCK,
                               Failure::Action::Lock};
            if (error == ENOLCK || error == EOPNOTSUPP)
                return RomFileLock();   // a file system without locks: carry on unlocked
            return Failure{path, QString::fromLocal8Bit(sys::ReasonText(error).c_str()), error, Failure::Action::Lock};
        }
        // A writer may have replaced the file while we waited: lock what is there now.
        sys::FileInfo named;
        if (sys::Stat(native.constData(), &named) == 0 && named.id == opened.id) {
            RomFileLock lock;
            lock.fd = std::shared_ptr<sys::Handle>(new sys::Handle(fd), [](sys::Handle *held) {
                sys::Close(*held);
                delete held;
            });
            return lock;
        }
        sys::Close(fd);
    }
}

bool RomFileLock::IsBusy(const Failure &failure)
{
    return failure.error == EWOULDBLOCK && failure.action == Failure::Action::Lock;
}
