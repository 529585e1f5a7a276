#include "sys/sysfile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace sys {

namespace {

// The byte every lock covers: far past any data (locks past the end of a file
// are allowed), so a lock never keeps another program from reading or writing
// the file itself, as the advisory locks of POSIX systems do not.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

HANDLE H(Handle file)
{
    return reinterpret_cast<HANDLE>(file);
}

int FromWindows(DWORD error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return kInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
        return EOPNOTSUPP;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

int LastError()
{
    return FromWindows(::GetLastError());
}

std::wstring Wide(const char *utf8)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(size_t(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize(size_t(length - 1));
    return wide;
}

std::string Narrow(const std::wstring &wide)
{
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(size_t(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(size_t(length - 1));
    return utf8;
}

// The absolute wide form of path with the "\\?\" prefix, which lifts the limit
// of MAX_PATH characters. GetFullPathNameW resolves "." and ".." and turns
// '/' into '\' first, which the prefix would otherwise pass on unchanged.
std::wstring LongPath(const char *path)
{
    std::wstring wide = Wide(path);
    if (wide.empty())
        return wide;
    if (wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return wide;
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return wide;
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0)   // \\server\share\... -> \\?\UNC\server\share\...
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::int64_t Nanoseconds(const FILETIME &time)
{
    // 100 ns steps since 1601.
    const std::int64_t ticks = (std::int64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;
}

void Describe(const BY_HANDLE_FILE_INFORMATION &found, DWORD reparseTag, FileInfo *info)
{
    const DWORD attributes = found.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && reparseTag == IO_REPARSE_TAG_SYMLINK)
        info->kind = Kind::Link;
    else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        info->kind = Kind::Directory;
    else if (attributes & FILE_ATTRIBUTE_DEVICE)
        info->kind = Kind::Other;
    else
        info->kind = Kind::Regular;
    info->size = (std::int64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    info->modifiedNs = Nanoseconds(found.ftLastWriteTime);
    info->id = FileId{found.dwVolumeSerialNumber,
                      (std::uint64_t(found.nFileIndexHigh) << 32) | found.nFileIndexLow};
    info->links = found.nNumberOfLinks;
    info->mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    info->owner = 0;
    info->group = 0;
}

int DescribeOpen(HANDLE file, FileInfo *info)
{
    BY_HANDLE_FILE_INFORMATION found {};
    if (!::GetFileInformationByHandle(file, &found))
        return LastError();
    DWORD tag = 0;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        FILE_ATTRIBUTE_TAG_INFO tagInfo {};
        if (::GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tagInfo, sizeof tagInfo))
            tag = tagInfo.ReparseTag;
    }
    Describe(found, tag, info);
    if (info->kind == Kind::Regular && ::GetFileType(file) != FILE_TYPE_DISK)
        info->kind = Kind::Other;
    return 0;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenWide(const std::wstring &path, DWORD access, DWORD disposition, DWORD flags)
{
    return ::CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

int MoveWide(const std::wstring &from, const std::wstring &to)
{
    // Windows does not replace a read-only file (wine run as root would).
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return EACCES;
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0
                                                                                                          : LastError();
}

int LockOnce(HANDLE file, LockKind kind)
{
    OVERLAPPED at {};
    at.OffsetHigh = kLockOffsetHigh;
    const DWORD how = LOCKFILE_FAIL_IMMEDIATELY | (kind == LockKind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (::LockFileEx(file, how, 0, 1, 0, &at))
        return 0;
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return EWOULDBLOCK;
    return FromWindows(error);
}

} // namespace

std::string ReasonText(int error)
{
    if (error == kInUse)
        return "the file is open in another program";
    return std::strerror(error);
}

int Stat(const char *path, FileInfo *info, bool followLinks)
{
    // No access asked for: the attributes open even a file another program
    // holds without sharing.
    const HANDLE file = OpenWide(LongPath(path), 0, OPEN_EXISTING, followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    const int error = DescribeOpen(file, info);
    ::CloseHandle(file);
    return error;
}

int StatOpen(Handle file, FileInfo *info)
{
    return DescribeOpen(H(file), info);
}

int Open(const char *path, unsigned flags, Handle *file)
{
    const DWORD access = GENERIC_READ | ((flags & kReadWrite) ? GENERIC_WRITE : 0);
    const DWORD disposition = (flags & kCreate) ? OPEN_ALWAYS : OPEN_EXISTING;
    const std::wstring name = LongPath(path);
    HANDLE opened = OpenWide(name, access, disposition, (flags & kNoFollow) ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    if (opened == INVALID_HANDLE_VALUE)
        return LastError();
    if (flags & kNoFollow) {
        FileInfo info;
        if (DescribeOpen(opened, &info) == 0 && info.kind == Kind::Link) {
            ::CloseHandle(opened);
            return ELOOP;   // as O_NOFOLLOW on a link
        }
    }
    *file = reinterpret_cast<Handle>(opened);
    return 0;
}

int Close(Handle file)
{
    return ::CloseHandle(H(file)) ? 0 : LastError();
}

int Duplicate(Handle file, Handle *copy)
{
    HANDLE made = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), H(file), ::GetCurrentProcess(), &made, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        return LastError();
    *copy = reinterpret_cast<Handle>(made);
    return 0;
}

int Read(Handle file, char *data, std::int64_t length, std::int64_t *got)
{
    DWORD n = 0;
    if (!::ReadFile(H(file), data, DWORD(std::min<std::int64_t>(length, 1 << 30)), &n, nullptr)) {
        if (::GetLastError() == ERROR_HANDLE_EOF || ::GetLastError() == ERROR_BROKEN_PIPE) {
            *got = 0;
            return 0;
        }
        return LastError();
    }
    *got = n;
    return 0;
}

int ReadAllAt(Handle file, char *data, std::int64_t length, std::int64_t offset)
{
    while (length > 0) {
        OVERLAPPED at {};
        at.Offset = DWORD(offset & 0xFFFFFFFF);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD n = 0;
        if (!::ReadFile(H(file), data, DWORD(std::min<std::int64_t>(length, 1 << 30)), &n, &at))
            return ::GetLastError() == ERROR_HANDLE_EOF ? EIO : LastError();
        if (n == 0)
            return EIO;
        data += n;
        length -= n;
        offset += n;
    }
    return 0;
}

int WriteAll(Handle file, const char *data, std::int64_t length)
{
    while (length > 0) {
        DWORD n = 0;
        if (!::WriteFile(H(file), data, DWORD(std::min<std::int64_t>(length, 1 << 30)), &n, nullptr))
            return LastError();
        if (n == 0)
            return EIO;
        data += n;
        length -= n;
    }
    return 0;
}

int WriteAllAt(Handle file, const char *data, std::int64_t length, std::int64_t offset)
{
    while (length > 0) {
        OVERLAPPED at {};
        at.Offset = DWORD(offset & 0xFFFFFFFF);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD n = 0;
        if (!::WriteFile(H(file), data, DWORD(std::min<std::int64_t>(length, 1 << 30)), &n, &at))
            return LastError();
        if (n == 0)
            return EIO;
        data += n;
        length -= n;
        offset += n;
    }
    return 0;
}

int Sync(Handle file)
{
    return ::FlushFileBuffers(H(file)) ? 0 : LastError();
}

int SyncFolder(const char *)
{
    return 0;   // every rename here is MOVEFILE_WRITE_THROUGH
}

int Reserve(Handle file, std::int64_t offset, std::int64_t length)
{
    // Windows reserves from the start of the file: the allocation for the
    // whole up to offset + length, the size untouched.
    FILE_STANDARD_INFO standard {};
    if (!::GetFileInformationByHandleEx(H(file), FileStandardInfo, &standard, sizeof standard))
        return LastError();
    FILE_ALLOCATION_INFO allocation {};
    allocation.AllocationSize.QuadPart = offset + length;
    if (allocation.AllocationSize.QuadPart <= standard.AllocationSize.QuadPart)
        return 0;
    if (::SetFileInformationByHandle(H(file), FileAllocationInfo, &allocation, sizeof allocation))
        return 0;
    const DWORD error = ::GetLastError();
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
        return ENOSPC;
    return EOPNOTSUPP;   // a file system (or wine) without it: carry on
}

int KeepOwnerAndMode(Handle, const FileInfo *)
{
    // The new file has the folder's inherited permissions, as a file the old
    // one's program made would. A read-only old file is not replaced at all
    // (the rename refuses it), so no attribute needs carrying over.
    return 0;
}

int CanWrite(const char *path)
{
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastError();
    return (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? EACCES : 0;
}

int Lock(Handle file, LockKind kind, int timeoutMs)
{
    if (timeoutMs < 0) {
        OVERLAPPED at {};
        at.OffsetHigh = kLockOffsetHigh;
        const DWORD how = kind == LockKind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
        return ::LockFileEx(H(file), how, 0, 1, 0, &at) ? 0 : LastError();
    }
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const int error = LockOnce(H(file), kind);
        if (error != EWOULDBLOCK)
            return error;
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs))
            return EWOULDBLOCK;
        ::Sleep(20);
    }
}

int CreateTemporary(const std::string &pattern, std::string *path, Handle *file)
{
    if (pattern.size() < 6 || pattern.compare(pattern.size() - 6, 6, "XXXXXX") != 0)
        return EINVAL;
    static std::atomic<unsigned> counter {0};
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = pattern;
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long seed = (::GetTickCount64() << 20) ^ (unsigned long long)(::GetCurrentProcessId()) << 8
                                  ^ (counter.fetch_add(1) * 2654435761u);
        for (size_t i = name.size() - 6; i < name.size(); ++i) {
            name[i] = kLetters[seed % 62];
            seed /= 62;
        }
        // Shares deleting, so that it can be renamed and removed while held.
        const HANDLE made = ::CreateFileW(LongPath(name.c_str()).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                          kShareAll, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made != INVALID_HANDLE_VALUE) {
            *path = name;
            *file = reinterpret_cast<Handle>(made);
            return 0;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return FromWindows(error);
    }
    return EEXIST;
}

int Rename(const char *from, const char *to)
{
    return MoveWide(LongPath(from), LongPath(to));
}

int Exchange(const char *from, const char *to)
{
    const std::wstring a = LongPath(from);
    const std::wstring b = LongPath(to);
    const std::wstring aside = a + L"~swap";
    if (::GetFileAttributesW(a.c_str()) == INVALID_FILE_ATTRIBUTES)
        return LastError();
    if (::GetFileAttributesW(aside.c_str()) != INVALID_FILE_ATTRIBUTES)
        return EEXIST;
    // 1. to goes aside; nothing changed yet when that fails.
    if (!::MoveFileExW(b.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH))
        return LastError();
    // 2. from takes its place; on failure the old file comes back.
    if (const int error = MoveWide(a, b)) {
        ::MoveFileExW(aside.c_str(), b.c_str(), MOVEFILE_WRITE_THROUGH);
        return error;
    }
    // 3. the old file takes from's name; on failure both steps are undone.
    if (const int error = MoveWide(aside, a)) {
        if (MoveWide(b, a) == 0)
            ::MoveFileExW(aside.c_str(), b.c_str(), MOVEFILE_WRITE_THROUGH);
        return error;
    }
    return 0;
}

int Remove(const char *path)
{
    return ::DeleteFileW(LongPath(path).c_str()) ? 0 : LastError();
}

int ReadLink(const char *path, std::string *target)
{
    const HANDLE file = OpenWide(LongPath(path), 0, OPEN_EXISTING, 0);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    std::wstring final(32768, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(file, final.data(), DWORD(final.size()), FILE_NAME_NORMALIZED);
    const int error = length == 0 || length >= final.size() ? LastError() : 0;
    ::CloseHandle(file);
    if (error)
        return error;
    final.resize(length);
    *target = Narrow(final);
    return 0;
}

int ListFolder(const char *folder, std::vector<std::string> *names)
{
    WIN32_FIND_DATAW found {};
    const HANDLE search = ::FindFirstFileW((LongPath(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return LastError();
    names->clear();
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names->push_back(Narrow(name));
    } while (::FindNextFileW(search, &found));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    return error == ERROR_NO_MORE_FILES ? 0 : FromWindows(error);
}

} // namespace sys
