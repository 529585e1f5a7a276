// The system layer's own tests, plain C++ (no Qt), built twice: natively
// against the POSIX half and with the Windows cross compiler against the Win32
// half, which then runs under wine. Each group is a table of rows; a row the
// system at hand cannot give (a share mode on POSIX, a folder root may write
// to anyway, a full disk without a small file system) is skipped with a line
// that says why. Helpers run as a second process of this program:
//   sysfile_tests hold-open PATH READY MS   (Windows: open, sharing nothing but reading)
//   sysfile_tests hold-lock PATH READY MS exclusive|shared

#include "sys/sysfile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

namespace {

int failures = 0;
int skips = 0;
std::string self;
std::string base;   // a fresh folder for this run

#define CHECK(condition, ...)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::printf("  FAIL %s:%d: %s: ", __FILE__, __LINE__, #condition);                    \
            std::printf(__VA_ARGS__);                                                             \
            std::printf("\n");                                                                    \
            ++failures;                                                                           \
            return;                                                                               \
        }                                                                                         \
    } while (0)

void Skip(const std::string &row, const std::string &why)
{
    std::printf("  SKIP %s: %s\n", row.c_str(), why.c_str());
    ++skips;
}

std::string Reason(int error)
{
    return std::to_string(error) + " (" + sys::ReasonText(error) + ")";
}

#ifdef _WIN32
std::wstring Wide(const std::string &s)
{
    std::wstring w(s.size() + 1, L'\0');
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), int(w.size()));
    w.resize(n > 0 ? size_t(n - 1) : 0);
    for (wchar_t &c : w)
        if (c == L'/')
            c = L'\\';
    return w;
}
std::wstring Long(const std::string &s)
{
    return L"\\\\?\\" + Wide(s);
}
#endif

bool MakeFolder(const std::string &path)
{
#ifdef _WIN32
    return ::CreateDirectoryW(Long(path).c_str(), nullptr) != 0;
#else
    return ::mkdir(path.c_str(), 0700) == 0;
#endif
}

int WriteFile(const std::string &path, const std::string &bytes)
{
    std::string made;
    sys::Handle file = sys::kNoHandle;
    // Written under a temporary name and renamed, as the program does.
    if (const int error = sys::CreateTemporary(path + ".new-XXXXXX", &made, &file))
        return error;
    int error = sys::WriteAll(file, bytes.data(), std::int64_t(bytes.size()));
    if (error == 0)
        error = sys::Sync(file);
    if (const int closed = sys::Close(file); error == 0)
        error = closed;
    if (error == 0)
        error = sys::Rename(made.c_str(), path.c_str());
    if (error != 0)
        sys::Remove(made.c_str());
    return error;
}

std::string ReadFile(const std::string &path)
{
    sys::Handle file = sys::kNoHandle;
    if (sys::Open(path.c_str(), sys::kReadOnly, &file) != 0)
        return "<unreadable>";
    std::string bytes;
    char buffer[4096];
    std::int64_t got = 0;
    while (sys::Read(file, buffer, sizeof buffer, &got) == 0 && got > 0)
        bytes.append(buffer, size_t(got));
    sys::Close(file);
    return bytes;
}

bool Exists(const std::string &path)
{
    sys::FileInfo info;
    return sys::Stat(path.c_str(), &info, false) == 0;
}

bool MakeHardLink(const std::string &existing, const std::string &link)
{
#ifdef _WIN32
    return ::CreateHardLinkW(Long(link).c_str(), Long(existing).c_str(), nullptr) != 0;
#else
    return ::link(existing.c_str(), link.c_str()) == 0;
#endif
}

#ifdef _WIN32
bool UnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}
#endif

bool MakeSymbolicLink(const std::string &existing, const std::string &link)
{
#ifdef _WIN32
    if (UnderWine())
        return false;   // wine makes them, but cannot open a file through one
    return ::CreateSymbolicLinkW(Long(link).c_str(), Wide(existing).c_str(),
                                 SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
#else
    return ::symlink(existing.c_str(), link.c_str()) == 0;
#endif
}

void SetReadOnly(const std::string &path, bool readOnly)
{
#ifdef _WIN32
    ::SetFileAttributesW(Long(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
    ::chmod(path.c_str(), readOnly ? 0444 : 0644);
#endif
}

void SetFolderWritable(const std::string &path, bool writable)
{
#ifdef _WIN32
    (void)path, (void)writable;   // a folder's read-only attribute does not keep files out on Windows
#else
    ::chmod(path.c_str(), writable ? 0700 : 0500);
#endif
}

// A second process of this program, ended (and waited for) with the object.
class Helper
{
public:
    Helper(const std::vector<std::string> &arguments)
    {
        ready = base + "/ready-" + std::to_string(++count);
        std::vector<std::string> all{self, arguments[0], arguments[1], ready};
        all.insert(all.end(), arguments.begin() + 2, arguments.end());
#ifdef _WIN32
        std::wstring line;
        for (const std::string &a : all)
            line += L"\"" + Wide(a) + L"\" ";
        STARTUPINFOW start{};
        start.cb = sizeof start;
        started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                                   &process) != 0;
#else
        std::vector<char *> argv;
        for (std::string &a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        started = ::posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
#endif
    }
    // Waits for the helper to say it holds what it was told to.
    bool Ready()
    {
        for (int i = 0; started && i < 500; ++i) {
            if (Exists(ready))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    void Wait()
    {
        if (!started)
            return;
#ifdef _WIN32
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
#else
        int status = 0;
        ::waitpid(pid, &status, 0);
#endif
        started = false;
    }
    ~Helper() { Wait(); }

private:
    static inline int count = 0;
    std::string ready;
    bool started = false;
#ifdef _WIN32
    PROCESS_INFORMATION process{};
#else
    pid_t pid = 0;
#endif
};

int HelperMain(int argc, char **argv)
{
    if (argc < 5)
        return 2;
    const std::string what = argv[1], path = argv[2], ready = argv[3];
    const int ms = std::atoi(argv[4]);
    sys::Handle file = sys::kNoHandle;
    if (what == "hold-lock") {
        if (sys::Open(path.c_str(), sys::kReadOnly, &file) != 0)
            return 3;
        const bool exclusive = argc > 5 && std::strcmp(argv[5], "exclusive") == 0;
        if (sys::Lock(file, exclusive ? sys::LockKind::Exclusive : sys::LockKind::Shared, 0) != 0)
            return 4;
    } else if (what == "hold-open") {
#ifdef _WIN32
        const HANDLE opened = ::CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return 3;
        file = reinterpret_cast<sys::Handle>(opened);
#else
        if (sys::Open(path.c_str(), sys::kReadOnly, &file) != 0)
            return 3;
#endif
    } else {
        return 2;
    }
    WriteFile(ready, "ready");
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    sys::Close(file);
    return 0;
}

// ---- identity ---------------------------------------------------------------

void TestIdentity()
{
    std::printf("identity\n");
    const std::string folder = base + "/id";
    MakeFolder(folder);
    const std::string rom = folder + "/game.bin";
    CHECK(WriteFile(rom, "rom") == 0, "writing %s", rom.c_str());
    CHECK(WriteFile(folder + "/other.bin", "rom") == 0, "writing other.bin");
    MakeFolder(folder + "/sub");
    struct Row
    {
        const char *name;
        std::function<bool(std::string *)> make;   // the other name, or false: cannot here
        bool same;
    };
    const std::vector<Row> rows = {
        {"a hard link", [&](std::string *n) { *n = folder + "/hard.bin"; return MakeHardLink(rom, *n); }, true},
        {"a symbolic link", [&](std::string *n) { *n = folder + "/soft.bin"; return MakeSymbolicLink("game.bin", *n); }, true},
        {"through sub/..", [&](std::string *n) { *n = folder + "/sub/../game.bin"; return true; }, true},
        {"through ./", [&](std::string *n) { *n = folder + "/./game.bin"; return true; }, true},
#ifdef _WIN32
        {"in other case", [&](std::string *n) { *n = folder + "/GAME.BIN"; return true; }, true},
        {"with backslashes", [&](std::string *n) { *n = folder + "\\game.bin"; return true; }, true},
#endif
        {"another file of the same contents", [&](std::string *n) { *n = folder + "/other.bin"; return true; }, false},
    };
    sys::FileInfo original;
    CHECK(sys::Stat(rom.c_str(), &original) == 0, "stat of the file");
    for (const Row &row : rows) {
        std::string other;
        if (!row.make(&other)) {
            Skip(row.name, "cannot be made here (wine makes one but opens no file through it)");
            continue;
        }
        sys::FileInfo named, opened;
        sys::Handle file = sys::kNoHandle;
        const int error = sys::Stat(other.c_str(), &named);
        const int openError = sys::Open(other.c_str(), sys::kReadOnly, &file);
        if (openError == 0) {
            sys::StatOpen(file, &opened);
            sys::Close(file);
        }
        const auto check = [&]() {
            CHECK(error == 0 && openError == 0, "%s: %s / %s", row.name, Reason(error).c_str(), Reason(openError).c_str());
            CHECK((named.id == original.id) == row.same, "%s: by name", row.name);
            CHECK((opened.id == original.id) == row.same, "%s: opened", row.name);
            CHECK(named.kind == sys::Kind::Regular, "%s: a regular file", row.name);
            std::printf("  ok   %s\n", row.name);
        };
        check();
    }
    // A link is described itself when links are not followed.
    sys::FileInfo link;
    if (Exists(folder + "/soft.bin")) {
        CHECK(sys::Stat((folder + "/soft.bin").c_str(), &link, false) == 0 && link.kind == sys::Kind::Link,
              "a symbolic link not followed");
        std::printf("  ok   a symbolic link not followed is a link\n");
    }
    sys::FileInfo hard;
    if (sys::Stat((folder + "/hard.bin").c_str(), &hard) == 0) {
        CHECK(hard.links == 2, "link count %llu", (unsigned long long)hard.links);
        std::printf("  ok   the hard link count is 2\n");
    }
}

// ---- locks -------------------------------------------------------------------

void TestLocks()
{
    std::printf("locks\n");
    const std::string path = base + "/locked.bin";
    CHECK(WriteFile(path, "data") == 0, "writing");
    using K = sys::LockKind;
    struct Row
    {
        const char *name;
        K held;
        K wanted;
        bool otherProcess;
        int timeoutMs;
        int expected;
    };
    const std::vector<Row> rows = {
        {"exclusive against exclusive, try", K::Exclusive, K::Exclusive, false, 0, EWOULDBLOCK},
        {"shared against shared, try", K::Shared, K::Shared, false, 0, 0},
        {"shared against exclusive, try", K::Shared, K::Exclusive, false, 0, EWOULDBLOCK},
        {"exclusive against shared, 150 ms", K::Exclusive, K::Shared, false, 150, EWOULDBLOCK},
        {"another process: exclusive against exclusive, try", K::Exclusive, K::Exclusive, true, 0, EWOULDBLOCK},
        {"another process: exclusive against shared, 150 ms", K::Exclusive, K::Shared, true, 150, EWOULDBLOCK},
        {"another process: shared against shared, try", K::Shared, K::Shared, true, 0, 0},
    };
    for (const Row &row : rows) {
        const auto run = [&]() {
            sys::Handle holder = sys::kNoHandle;
            std::unique_ptr<Helper> helper;
            if (row.otherProcess) {
                helper = std::make_unique<Helper>(std::vector<std::string>{
                    "hold-lock", path, "600", row.held == K::Exclusive ? "exclusive" : "shared"});
                CHECK(helper->Ready(), "%s: the helper did not start", row.name);
            } else {
                CHECK(sys::Open(path.c_str(), sys::kReadOnly, &holder) == 0, "open");
                CHECK(sys::Lock(holder, row.held, 0) == 0, "%s: first lock", row.name);
            }
            sys::Handle second = sys::kNoHandle;
            CHECK(sys::Open(path.c_str(), sys::kReadOnly, &second) == 0, "second open");
            const auto start = std::chrono::steady_clock::now();
            const int error = sys::Lock(second, row.wanted, row.timeoutMs);
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start).count();
            sys::Close(second);
            if (holder != sys::kNoHandle)
                sys::Close(holder);
            CHECK(error == row.expected, "%s: got %s", row.name, Reason(error).c_str());
            CHECK(error == 0 || waited >= row.timeoutMs, "%s: gave up after %lld ms", row.name, (long long)waited);
            CHECK(row.timeoutMs > 0 || waited < 1000, "%s: a try waited %lld ms", row.name, (long long)waited);
            std::printf("  ok   %s (%lld ms)\n", row.name, (long long)waited);
        };
        run();
    }
    // The lock goes with its holder: a wait outlasts a helper that ends.
    const auto ended = [&]() {
        Helper helper({"hold-lock", path, "300", "exclusive"});
        CHECK(helper.Ready(), "the helper did not start");
        sys::Handle file = sys::kNoHandle;
        CHECK(sys::Open(path.c_str(), sys::kReadOnly, &file) == 0, "open");
        const int error = sys::Lock(file, K::Exclusive, 10000);
        sys::Close(file);
        CHECK(error == 0, "after the holder ended: %s", Reason(error).c_str());
        std::printf("  ok   a lock whose holder ended is taken\n");
    };
    ended();
    // The writer locks its temporary, keeps a duplicate and closes the first
    // handle (checking the close): the lock must live on in the duplicate.
    const auto duplicate = [&]() {
        sys::Handle first = sys::kNoHandle, copy = sys::kNoHandle, other = sys::kNoHandle;
        CHECK(sys::Open(path.c_str(), sys::kReadWrite, &first) == 0, "open");
        CHECK(sys::Lock(first, K::Exclusive, 0) == 0, "lock");
        CHECK(sys::Duplicate(first, &copy) == 0, "duplicate");
        CHECK(sys::Close(first) == 0, "close of the first handle");
        CHECK(sys::Open(path.c_str(), sys::kReadOnly, &other) == 0, "open");
        const int held = sys::Lock(other, K::Exclusive, 0);
        sys::Close(copy);
        const int after = sys::Lock(other, K::Exclusive, 0);
        sys::Close(other);
        CHECK(held == EWOULDBLOCK, "while the duplicate is open: %s", Reason(held).c_str());
        CHECK(after == 0, "after the duplicate was closed: %s", Reason(after).c_str());
        std::printf("  ok   a lock lives on in a duplicate and goes with the last handle\n");
    };
    duplicate();
    // A lock keeps no one from reading (the lock byte lies past the data).
    sys::Handle holder = sys::kNoHandle;
    CHECK(sys::Open(path.c_str(), sys::kReadWrite, &holder) == 0, "open");
    CHECK(sys::Lock(holder, K::Exclusive, 0) == 0, "lock");
    const std::string read = ReadFile(path);
    sys::Close(holder);
    CHECK(read == "data", "read while locked: %s", read.c_str());
    std::printf("  ok   a locked file can still be read\n");
}

// ---- replacing files: the fault rows -------------------------------------------

void TestReplace()
{
    std::printf("replace\n");
    const std::string folder = base + "/replace";
    MakeFolder(folder);
    struct Row
    {
        const char *name;
        // Sets the scene; returns an empty string, or why the row cannot run here.
        std::function<std::string(const std::string &target, std::unique_ptr<Helper> *)> prepare;
        bool refused;
    };
    const std::vector<Row> rows = {
        {"a plain file", [](const std::string &, std::unique_ptr<Helper> *) { return std::string(); }, false},
        {"a target another process holds open",
         [](const std::string &target, std::unique_ptr<Helper> *helper) {
#ifdef _WIN32
             *helper = std::make_unique<Helper>(std::vector<std::string>{"hold-open", target, "800"});
             return (*helper)->Ready() ? std::string() : std::string("the helper did not start");
#else
             (void)target, (void)helper;
             return std::string("POSIX systems replace a file that is open elsewhere");
#endif
         },
         true},
        {"a read-only target",
         [](const std::string &target, std::unique_ptr<Helper> *) {
             SetReadOnly(target, true);
#ifdef _WIN32
             return std::string();
#else
             return std::string("POSIX systems replace a read-only file in a writable folder");
#endif
         },
         true},
    };
    int n = 0;
    for (const Row &row : rows) {
        const auto run = [&]() {
            const std::string target = folder + "/target-" + std::to_string(++n) + ".bin";
            CHECK(WriteFile(target, "old") == 0, "writing the target");
            std::unique_ptr<Helper> helper;
            if (const std::string why = row.prepare(target, &helper); !why.empty()) {
                SetReadOnly(target, false);
                Skip(row.name, why);
                return;
            }
            std::string temporary;
            sys::Handle file = sys::kNoHandle;
            CHECK(sys::CreateTemporary(folder + "/.t-XXXXXX", &temporary, &file) == 0, "temporary");
            CHECK(sys::WriteAll(file, "new", 3) == 0 && sys::Sync(file) == 0, "write");
            // Renamed while still open, as the writer keeps its temporary locked.
            CHECK(sys::Lock(file, sys::LockKind::Exclusive, 0) == 0, "lock of the temporary");
            const int error = sys::Rename(temporary.c_str(), target.c_str());
            sys::Close(file);
            if (error != 0)
                sys::Remove(temporary.c_str());
            const std::string now = ReadFile(target);
            helper.reset();
            SetReadOnly(target, false);
            if (row.refused) {
                CHECK(error != 0, "%s: replaced", row.name);
                CHECK(now == "old", "%s: the target holds %s", row.name, now.c_str());
                CHECK(!Exists(temporary), "%s: the temporary is left", row.name);
                std::printf("  ok   %s: refused with %s, the target as it was\n", row.name, Reason(error).c_str());
            } else {
                CHECK(error == 0 && now == "new", "%s: %s, holds %s", row.name, Reason(error).c_str(), now.c_str());
                std::printf("  ok   %s: replaced\n", row.name);
            }
        };
        run();
    }

    // A read-only file is reported before anything is tried.
    const auto readOnly = [&]() {
        const std::string target = folder + "/readonly.bin";
        CHECK(WriteFile(target, "old") == 0, "writing");
        SetReadOnly(target, true);
        const int error = sys::CanWrite(target.c_str());
        SetReadOnly(target, false);
#ifndef _WIN32
        if (::geteuid() == 0) {
            Skip("a read-only file is reported as such", "root may write every file");
            return;
        }
#endif
        CHECK(error == EACCES, "got %s", Reason(error).c_str());
        CHECK(sys::CanWrite(target.c_str()) == 0, "writable again");
        std::printf("  ok   a read-only file is reported as such\n");
    };
    readOnly();

    // A folder without write access takes no temporary.
    const auto closedFolder = [&]() {
        const std::string locked = folder + "/closed";
        MakeFolder(locked);
        SetFolderWritable(locked, false);
        std::string temporary;
        sys::Handle file = sys::kNoHandle;
        const int error = sys::CreateTemporary(locked + "/.t-XXXXXX", &temporary, &file);
        if (error == 0) {
            sys::Close(file);
            sys::Remove(temporary.c_str());
        }
        SetFolderWritable(locked, true);
        if (error == 0) {
            Skip("a folder without write access", "this process may write into it all the same (root, or no ACLs)");
            return;
        }
        CHECK(error == EACCES || error == EPERM, "got %s", Reason(error).c_str());
        std::printf("  ok   a folder without write access: %s\n", Reason(error).c_str());
    };
    closedFolder();

    // A full disk: SKM_FULL_FOLDER names a folder on a small file system.
    const auto fullDisk = [&]() {
        const char *full = std::getenv("SKM_FULL_FOLDER");
        if (!full || !*full) {
            Skip("a full disk", "no small file system given (SKM_FULL_FOLDER)");
            return;
        }
        const std::string target = std::string(full) + "/rom.bin";
        CHECK(WriteFile(target, "old") == 0, "writing the target");
        std::string temporary;
        sys::Handle file = sys::kNoHandle;
        CHECK(sys::CreateTemporary(std::string(full) + "/.t-XXXXXX", &temporary, &file) == 0, "temporary");
        const std::string big(4 << 20, 'x');
        int error = sys::Reserve(file, 0, std::int64_t(big.size()));
        const bool reserved = error == ENOSPC;
        if (error == 0 || error == EOPNOTSUPP)
            error = sys::WriteAll(file, big.data(), std::int64_t(big.size()));
        if (error == 0)
            error = sys::Sync(file);
        sys::Close(file);
        sys::Remove(temporary.c_str());
        CHECK(error == ENOSPC, "got %s", Reason(error).c_str());
        CHECK(ReadFile(target) == "old", "the target changed");
        std::printf("  ok   a full disk: %s %s, the target as it was\n", Reason(error).c_str(),
                    reserved ? "(found by the reservation)" : "(found by the write)");
        sys::Remove(target.c_str());
    };
    fullDisk();
}

// ---- exchange and the rollback of a set ------------------------------------------

void TestExchange()
{
    std::printf("exchange\n");
    const std::string folder = base + "/set";
    MakeFolder(folder);
    // A set of three files replaced all or nothing, the third failing: every
    // exchange done is done again, which puts the old files back.
    struct Row
    {
        const char *name;
        std::string third;   // what the third target is
    };
    const std::vector<Row> rows = {
        {"the third target in a folder that is missing", "missing/c.bin"},
#ifdef _WIN32
        {"the third target held open by another process", "held"},
#endif
    };
    int round = 0;
    for (const Row &row : rows) {
        const auto run = [&]() {
            const std::string prefix = folder + "/" + std::to_string(++round) + "-";
            std::vector<std::string> targets = {prefix + "a.bin", prefix + "b.bin",
                                                row.third == "held" ? prefix + "c.bin" : folder + "/" + row.third};
            std::unique_ptr<Helper> helper;
            for (size_t i = 0; i < 2; ++i)
                CHECK(WriteFile(targets[i], "old" + std::to_string(i)) == 0, "writing");
            if (row.third == "held") {
                CHECK(WriteFile(targets[2], "old2") == 0, "writing");
                helper = std::make_unique<Helper>(std::vector<std::string>{"hold-open", targets[2], "800"});
                CHECK(helper->Ready(), "the helper did not start");
            }
            std::vector<std::string> temporaries;
            for (size_t i = 0; i < 3; ++i) {
                std::string made;
                sys::Handle file = sys::kNoHandle;
                CHECK(sys::CreateTemporary(prefix + ".t-XXXXXX", &made, &file) == 0, "temporary");
                const std::string bytes = "new" + std::to_string(i);
                CHECK(sys::WriteAll(file, bytes.data(), 4) == 0, "write");
                sys::Close(file);
                temporaries.push_back(made);
            }
            size_t done = 0;
            int error = 0;
            for (; done < 3; ++done) {
                if ((error = sys::Exchange(temporaries[done].c_str(), targets[done].c_str())) != 0)
                    break;
            }
            CHECK(done == 2 && error != 0, "%s: %zu exchanged, %s", row.name, done, Reason(error).c_str());
            CHECK(ReadFile(targets[0]) == "new0" && ReadFile(temporaries[0]) == "old0", "the first swapped");
            for (size_t k = done; k-- > 0;)
                CHECK(sys::Exchange(temporaries[k].c_str(), targets[k].c_str()) == 0, "swapping back %zu", k);
            helper.reset();
            for (size_t i = 0; i < 2; ++i) {
                const std::string now = ReadFile(targets[i]);
                CHECK(now == "old" + std::to_string(i), "%s: target %zu holds %s", row.name, i, now.c_str());
                CHECK(!Exists(temporaries[i] + "~swap"), "a swap file is left");
            }
            if (row.third == "held")
                CHECK(ReadFile(targets[2]) == "old2", "the held file changed");
            for (const std::string &t : temporaries)
                sys::Remove(t.c_str());
            std::printf("  ok   %s: failed with %s, all put back\n", row.name, Reason(error).c_str());
        };
        run();
    }
    // A missing name is ENOENT, which the writer takes as "rename instead".
    std::string made;
    sys::Handle file = sys::kNoHandle;
    CHECK(sys::CreateTemporary(folder + "/.t-XXXXXX", &made, &file) == 0, "temporary");
    sys::Close(file);
    const int error = sys::Exchange(made.c_str(), (folder + "/nothing.bin").c_str());
    sys::Remove(made.c_str());
    CHECK(error == ENOENT || error == EINVAL || error == ENOSYS, "got %s", Reason(error).c_str());
    std::printf("  ok   an exchange with a missing file: %s\n", Reason(error).c_str());
}

// ---- the rest: temporaries, long paths, reserve, listing ----------------------------

void TestFiles()
{
    std::printf("files\n");
    // Long paths: deeper than MAX_PATH (260) and the POSIX limit of one name.
    std::string deep = base;
    for (int i = 0; i < 6; ++i) {
        deep += "/" + std::string(60, char('a' + i));
        CHECK(MakeFolder(deep), "folder %d", i);
    }
    const std::string target = deep + "/file.bin";
    CHECK(target.size() > 300, "only %zu characters", target.size());
    CHECK(WriteFile(target, "long") == 0, "a file at %zu characters", target.size());
    CHECK(ReadFile(target) == "long", "read back");
    std::vector<std::string> names;
    CHECK(sys::ListFolder(deep.c_str(), &names) == 0 && names.size() == 1 && names[0] == "file.bin",
          "listing: %zu names", names.size());
    CHECK(sys::Remove(target.c_str()) == 0 && !Exists(target), "removed");
    std::printf("  ok   a path of %zu characters\n", target.size());

    // Temporaries: the pattern's end replaced, a new name each time.
    std::string a, b;
    sys::Handle fa = sys::kNoHandle, fb = sys::kNoHandle;
    CHECK(sys::CreateTemporary(base + "/.x.skm-XXXXXX", &a, &fa) == 0, "first");
    CHECK(sys::CreateTemporary(base + "/.x.skm-XXXXXX", &b, &fb) == 0, "second");
    CHECK(a != b && a.size() == b.size() && a.compare(0, a.size() - 6, base + "/.x.skm-") == 0, "%s %s",
          a.c_str(), b.c_str());
    CHECK(a.find("XXXXXX") == std::string::npos, "not replaced: %s", a.c_str());
    // Reserving keeps the size.
    const int reserved = sys::Reserve(fa, 0, 1 << 20);
    sys::FileInfo info;
    CHECK(sys::StatOpen(fa, &info) == 0 && info.size == 0, "size %lld after reserving", (long long)info.size);
    CHECK(reserved == 0 || reserved == EOPNOTSUPP, "reserve: %s", Reason(reserved).c_str());
    // Positioned writes and reads.
    CHECK(sys::WriteAllAt(fa, "0123456789", 10, 0) == 0 && sys::WriteAllAt(fa, "ab", 2, 4) == 0, "pwrite");
    char back[10];
    CHECK(sys::ReadAllAt(fa, back, 10, 0) == 0 && std::memcmp(back, "0123ab6789", 10) == 0, "pread");
    CHECK(sys::ReadAllAt(fa, back, 4, 8) == EIO, "reading past the end");
    sys::Close(fa);
    sys::Close(fb);
    sys::Remove(a.c_str());
    sys::Remove(b.c_str());
    std::printf("  ok   temporaries, reserve (%s), positioned reads and writes\n",
                reserved == 0 ? "done" : "not on this file system");

    // What a name holds.
    struct Row
    {
        const char *name;
        std::string path;
        int error;
        sys::Kind kind;
    };
    const std::vector<Row> rows = {
        {"a folder", base, 0, sys::Kind::Directory},
        {"a missing file", base + "/missing.bin", ENOENT, sys::Kind::Other},
        {"a file in a missing folder", base + "/missing/x.bin", ENOENT, sys::Kind::Other},
    };
    for (const Row &row : rows) {
        const auto check = [&]() {
            sys::FileInfo found;
            const int error = sys::Stat(row.path.c_str(), &found);
            CHECK(error == row.error, "%s: %s", row.name, Reason(error).c_str());
            CHECK(error != 0 || found.kind == row.kind, "%s: kind", row.name);
            std::printf("  ok   %s\n", row.name);
        };
        check();
    }
}

std::string FreshBase()
{
#ifdef _WIN32
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    char narrow[4 * MAX_PATH];
    ::WideCharToMultiByte(CP_UTF8, 0, temp, -1, narrow, sizeof narrow, nullptr, nullptr);
    std::string folder = std::string(narrow) + "skm-sys-" + std::to_string(::GetCurrentProcessId());
    MakeFolder(folder);
    return folder;
#else
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/skm-sys-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
#endif
}

void RemoveTree(const std::string &path)
{
    sys::FileInfo info;
    if (sys::Stat(path.c_str(), &info, false) != 0)
        return;
    if (info.kind == sys::Kind::Directory) {
        std::vector<std::string> names;
        sys::ListFolder(path.c_str(), &names);
        for (const std::string &name : names)
            RemoveTree(path + "/" + name);
#ifdef _WIN32
        ::RemoveDirectoryW(Long(path).c_str());
#else
        ::rmdir(path.c_str());
#endif
        return;
    }
    SetReadOnly(path, false);
    sys::Remove(path.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1)
        return HelperMain(argc, argv);
#ifdef _WIN32
    wchar_t me[MAX_PATH];
    ::GetModuleFileNameW(nullptr, me, MAX_PATH);
    char narrow[4 * MAX_PATH];
    ::WideCharToMultiByte(CP_UTF8, 0, me, -1, narrow, sizeof narrow, nullptr, nullptr);
    self = narrow;
#else
    self = argv[0];
#endif
    base = FreshBase();
    if (base.empty()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    TestIdentity();
    TestLocks();
    TestReplace();
    TestExchange();
    TestFiles();
    RemoveTree(base);
    std::printf("%s: %d failed, %d skipped\n", failures ? "FAIL" : "PASS", failures, skips);
    return failures ? 1 : 0;
}
