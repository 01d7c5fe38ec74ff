#include "platform/FileReplace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// The file a path names, through any symbolic links; the path itself when it names nothing yet.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file beside target that nobody else has; -1 with errno set when none can be made.
int CreateBeside(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> s_nSerial{0};
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + name + "." + std::to_string(getpid()) + "-" +
                   std::to_string(s_nSerial++) + ".part";
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string SystemErrorText(int nError) {
    return std::system_category().message(nError);
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& reason) {
    const std::string target = ResolveTarget(path);
    struct stat existing;
    const bool bExists = stat(target.c_str(), &existing) == 0;
    if (bExists && !S_ISREG(existing.st_mode)) {
        // A device or a folder must never be renamed away.
        reason = SystemErrorText(S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    std::string tempPath;
    const int fd = CreateBeside(target, tempPath);
    if (fd < 0) {
        reason = SystemErrorText(errno);
        return false;
    }
    bool bOk = true;
    if (bExists) {
        // The owner is kept where we may; otherwise the new file is ours. The mode always.
        [[maybe_unused]] const int nOwned = fchown(fd, existing.st_uid, existing.st_gid);
        bOk = fchmod(fd, existing.st_mode & 07777) == 0;
    }
    bOk = bOk && WriteAll(fd, bytes) && fsync(fd) == 0;
    int nError = bOk ? 0 : errno;
    if (close(fd) != 0 && bOk) {
        bOk = false;
        nError = errno;
    }
    if (bOk && rename(tempPath.c_str(), target.c_str()) != 0) {
        bOk = false;
        nError = errno;
    }
    if (!bOk) {
        unlink(tempPath.c_str());
        reason = SystemErrorText(nError);
        return false;
    }
    // The new name itself reaches the disk; a folder that cannot be synced changes nothing.
    const int dirFd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return true;
}
