#pragma once

// The system calls the editor's file handling rests on, behind one small face
// in plain C++: one implementation for POSIX systems (sysfile_posix.cpp) and
// one for Windows (sysfile_win32.cpp). Nothing here knows Qt, so the Windows
// half builds and is tested with a plain cross compiler.
//
// Paths are null-terminated byte strings: the file system's own bytes on POSIX
// systems, UTF-8 on Windows (turned into a wide, absolute "\\?\" path there, so
// long paths work). Every call gives 0 or an error code: an errno value, or one
// of the codes of ours below. Windows errors are given as the errno value that
// means the same (ERROR_ACCESS_DENIED as EACCES, ERROR_DISK_FULL as ENOSPC,
// ...), so that callers handle both systems alike.

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// An open file: a descriptor on POSIX systems, a HANDLE on Windows.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Codes of ours, beside errno values.
inline constexpr int kInUse = -20;   // Windows: another program has the file open and does not share it

// The reason of an error code, as the system words it (or ours).
std::string ReasonText(int error);

// Which file a name leads to: device and inode on POSIX systems, volume
// serial number and file index on Windows. Two names of one file (a hard
// link, a symbolic link, another spelling) give the same identity.
struct FileId
{
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileId &, const FileId &) = default;
};

enum class Kind { Regular, Directory, Link, Other };

struct FileInfo
{
    Kind kind = Kind::Other;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;   // since 1970, nanoseconds
    FileId id;
    std::uint64_t links = 1;       // hard links
    std::uint32_t mode = 0;        // permission bits (Windows: 0444 for a read-only file, else 0666)
    std::uint32_t owner = 0;       // POSIX user and group; 0 on Windows
    std::uint32_t group = 0;
};

// What a name holds; with followLinks false a symbolic link is described
// itself (Kind::Link).
int Stat(const char *path, FileInfo *info, bool followLinks = true);
// The same of an open file.
int StatOpen(Handle file, FileInfo *info);

enum OpenFlags : unsigned {
    kReadOnly = 0,
    kReadWrite = 1u << 0,
    kCreate = 1u << 1,         // made if missing (only the owner may read and write it)
    kNoFollow = 1u << 2,       // a symbolic link is not followed (the open fails)
};

// Opens without blocking on a FIFO or device (POSIX: O_NONBLOCK, which a
// regular file does not heed) and never as the controlling terminal; the descriptor is not inherited by programs started
// later. On Windows every open shares reading, writing and deleting, so that
// another program may read a file the editor holds, and folders open too (for
// StatOpen to tell what they are).
int Open(const char *path, unsigned flags, Handle *file);
// Closes, reporting the error a close can give (a delayed write error).
int Close(Handle file);
// A second handle of the same open file (sharing its lock).
int Duplicate(Handle file, Handle *copy);

// Reads up to length bytes at the file position; *got 0 at the end.
int Read(Handle file, char *data, std::int64_t length, std::int64_t *got);
// Reads length bytes at offset, short reads continued; EIO at the end of the file.
int ReadAllAt(Handle file, char *data, std::int64_t length, std::int64_t offset);
// Writes all of data at the file position or at offset, short writes continued.
int WriteAll(Handle file, const char *data, std::int64_t length);
int WriteAllAt(Handle file, const char *data, std::int64_t length, std::int64_t offset);

// Writes the file's data to the disk (fsync; FlushFileBuffers).
int Sync(Handle file);
// Makes a rename in the folder durable (fsync of the folder). On Windows the
// renames here are written through already; nothing to do.
int SyncFolder(const char *folder);
// Reserves the disk blocks for length bytes at offset without changing the
// file's size, so that a later write there cannot run out of room. EOPNOTSUPP
// where the file system cannot (callers then carry on without).
int Reserve(Handle file, std::int64_t offset, std::int64_t length);

// Gives a new file the old one's permission bits, owner and group as far as
// the process may (setuid and setgid only along with the owner or group they
// belong to); without old, the bits a new file gets (0666 less the umask).
// Windows: nothing to do (the new file inherits the folder's permissions).
int KeepOwnerAndMode(Handle file, const FileInfo *old);
// Whether this process may write the file (POSIX: access W_OK with the
// effective ids; Windows: not read-only). A read-only file system shows here.
int CanWrite(const char *path);

// Advisory locks, one per open file: two opens of one file exclude each other
// also within one process, and the lock goes when the file is closed or the
// holder dies. POSIX: flock; Windows: LockFileEx on a byte far past any data,
// so that the lock never keeps another program from reading the file.
enum class LockKind { Shared, Exclusive };
// Waits at most timeoutMs milliseconds (0: only tries, -1: as long as it
// takes). EWOULDBLOCK when another holder kept it; ENOLCK or EOPNOTSUPP on a
// file system without locks.
int Lock(Handle file, LockKind kind, int timeoutMs);

// Makes a new file from pattern, whose last six characters are "XXXXXX" and
// are replaced (mkostemp; on Windows CREATE_NEW with names tried until one is
// free). *path gets the name, *file the file, open for reading and writing.
int CreateTemporary(const std::string &pattern, std::string *path, Handle *file);

// Renames from over to, replacing what to names, in one step (rename;
// MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, which
// also works while this process holds from open). Windows refuses to replace a
// read-only file (EACCES) or one another program holds open without sharing
// its deletion (EACCES or kInUse).
int Rename(const char *from, const char *to);
// Swaps what the two names hold (renameat2 RENAME_EXCHANGE). EINVAL or ENOSYS
// where the file system cannot, ENOENT when one of them is missing. Windows has
// no such call: there it is three renames (to aside, from to to, aside to
// from), each failure after the first undone by renaming back, so a failing
// swap leaves both names as they were. A crash between the first two renames
// leaves to missing and its old contents in "from~swap" beside from.
int Exchange(const char *from, const char *to);
int Remove(const char *path);
// The target a symbolic link holds (readlink). On Windows the final path of
// what the link leads to (the chain resolved at once).
int ReadLink(const char *path, std::string *target);
// The names in a folder (without "." and "..").
int ListFolder(const char *folder, std::vector<std::string> *names);

} // namespace sys
