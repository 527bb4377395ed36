// Writing the own project file atomically.
#include "ProjectSave.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "FileInput.h"
#include "Lang.h"
#include "NFileAnly.h"
#include "ProjectPath.h"
#include "ProjectSettings.h"

namespace fs = std::filesystem;

namespace lumbra {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + Format(".tmp-%d-%u", static_cast<int>(::getpid()), counter++);
}

} // namespace

std::string ProjectSaveName(std::string_view chosen) {
    std::string name(chosen);
    if (LowerAscii(PathExtension(name)) != "prj")
        name += ".prj";
    return name;
}

std::vector<std::string> RegisteredFiles(const NFileAnly& engine) {
    std::vector<std::string> files;
    for (int i = 0; i < engine.GetFileCount(); ++i)
        if (const char* path = engine.GetFilePath(i))
            files.emplace_back(path);
    return files;
}

ProjectSaveResult SaveProject(const std::string& chosen, const std::vector<std::string>& files,
                              ProjectSettingsStore* settings) {
    ProjectSaveResult result;
    result.path = ProjectSaveName(chosen);
    // Saving over a link updates the file it points to rather than replacing the link.
    std::string target = result.path;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path real = fs::weakly_canonical(target, ec);
        if (!ec)
            target = real.string();
    }

    std::string text = "[Files]\n";
    for (const std::string& file : files) {
        text += file;
        text += '\n';
    }

    const std::string temp = temporaryName(target);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        result.error = std::strerror(errno);
        return result;
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    auto fail = [&](std::string why) {
        ::unlink(temp.c_str());
        result.error = std::move(why);
        return result;
    };
    if (!writeAll(fd, text) || ::fsync(fd) != 0) {
        std::string why = std::strerror(errno);
        ::close(fd);
        return fail(why);
    }
    if (::close(fd) != 0)
        return fail(std::strerror(errno));
    if (settings && !settings->SaveToProject(temp))
        return fail(tr("the settings could not be written"));
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(std::strerror(errno));
    result.ok = true;
    return result;
}

} // namespace lumbra
