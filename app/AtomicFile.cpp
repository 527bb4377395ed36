// Atomic file replacement through a temporary file, fsync and rename.
#include "AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lumbra {
namespace {

std::mutex gFaultMutex;
std::optional<AtomicWriteFault> gFault;

std::optional<AtomicWriteFault> currentFault() {
    std::lock_guard<std::mutex> lock(gFaultMutex);
    return gFault;
}

bool faultAt(const std::optional<AtomicWriteFault>& fault, AtomicWriteFault::Stage stage) {
    if (!fault || fault->stage != stage)
        return false;
    errno = fault->errnoValue;
    return true;
}

std::string describe(const char* what, const std::string& path, int err) {
    return std::string(what) + " " + path + ": " + std::strerror(err);
}

// The file a path names once symbolic links are followed (the path itself when it is no link or
// the link dangles).
std::string resolveTarget(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
        return path;
    fs::path target = fs::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

// Writes everything; a Write fault lets `afterBytes` bytes through and then fails, as a disk
// that fills up part-way.
bool writeAll(int fd, std::string_view bytes, const std::optional<AtomicWriteFault>& fault) {
    const bool failing = fault && fault->stage == AtomicWriteFault::Stage::Write;
    if (failing)
        bytes = bytes.substr(0, std::min(bytes.size(), fault->afterBytes));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (failing)
        errno = fault->errnoValue;
    return !failing;
}

// Opens a fresh temporary file beside the target.
int openTemporary(const fs::path& dir, const std::string& name, mode_t mode, std::string& tmp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = (dir / ("." + name + "." + std::to_string(::getpid()) + "." +
                      std::to_string(counter.fetch_add(1)) + ".tmp"))
                  .string();
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

void SetAtomicWriteFault(std::optional<AtomicWriteFault> fault) {
    std::lock_guard<std::mutex> lock(gFaultMutex);
    gFault = fault;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    const std::optional<AtomicWriteFault> fault = currentFault();
    const std::string target = resolveTarget(path);
    fs::path targetPath(target);
    fs::path dir = targetPath.parent_path();
    if (dir.empty())
        dir = ".";

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666;

    std::string tmp;
    int fd = -1;
    if (!faultAt(fault, AtomicWriteFault::Stage::Open))
        fd = openTemporary(dir, targetPath.filename().string(), mode, tmp);
    if (fd < 0) {
        error = describe("cannot create a file in", dir.string(), errno);
        return false;
    }
    auto fail = [&](const char* what) {
        int err = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmp.c_str());
        error = describe(what, target, err);
        return false;
    };
    // The creation mode went through the umask; an existing file keeps its exact bits.
    if (exists && ::fchmod(fd, mode) != 0)
        return fail("cannot set the permissions of");
    if (!writeAll(fd, bytes, fault))
        return fail("cannot write");
    if (faultAt(fault, AtomicWriteFault::Stage::Sync) || ::fsync(fd) != 0)
        return fail("cannot flush");
    int closing = fd;
    fd = -1;
    if (::close(closing) != 0)
        return fail("cannot write");
    if (faultAt(fault, AtomicWriteFault::Stage::Rename) ||
        ::rename(tmp.c_str(), target.c_str()) != 0)
        return fail("cannot replace");
    // Make the rename itself durable; a folder that cannot be synced is no reason to fail.
    int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, int& errnoValue) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        errnoValue = errno;
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errnoValue = EISDIR;
        return std::nullopt;
    }
    std::string bytes;
    if (st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            errnoValue = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    errnoValue = 0;
    return bytes;
}

} // namespace lumbra
