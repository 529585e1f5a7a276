#include "recovery/recoverylock.h"

#include "recovery/recoveryfile.h"

#include <QFile>

#include "rom/nativepath.h"

std::unique_ptr<RecoveryLock> RecoveryLock::TryLock(const QString &path)
{
    const QByteArray name = NativePath(path);
    sys::Handle fd = sys::kNoHandle;
    if (sys::Open(name.constData(), sys::kReadWrite | sys::kCreate | sys::kNoFollow, &fd) != 0)
        return nullptr;
    if (sys::Lock(fd, sys::LockKind::Exclusive, 0) != 0) {
        sys::Close(fd);
        return nullptr;
    }
    // The holder before may have removed the file between our open and our
    // lock (and a new one may be there): a lock on a removed file is no lock.
    sys::FileInfo locked, named;
    if (sys::StatOpen(fd, &locked) != 0 || sys::Stat(name.constData(), &named) != 0 || locked.id != named.id) {
        sys::Close(fd);
        return nullptr;
    }
    return std::unique_ptr<RecoveryLock>(new RecoveryLock(path, fd));
}

RecoveryLock::~RecoveryLock()
{
    if (descriptor != sys::kNoHandle)
        sys::Close(descriptor);
}

void RecoveryLock::RemoveAndRelease()
{
    if (descriptor == sys::kNoHandle)
        return;
    RemoveOwnRecoveryEntry(lockPath);
    sys::Close(descriptor);
    descriptor = sys::kNoHandle;
}
