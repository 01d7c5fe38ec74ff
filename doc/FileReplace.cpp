#include "doc/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

bool Fail(std::string* pError, int err) {
    if (pError != nullptr)
        *pError = std::strerror(err);
    return false;
}

// The file a write to path really replaces: the target of a symbolic link, else path itself.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path; // a dangling link is replaced like any file
    return resolved;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* pError) {
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool bExists = ::stat(target.c_str(), &old) == 0;
    // A folder or a device must never be renamed away.
    if (bExists && !S_ISREG(old.st_mode))
        return Fail(pError, S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
    const mode_t mode = bExists ? (old.st_mode & 07777) : NewFileMode();

    std::string temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(pError, errno);
    // The owner stays where the system lets us keep it (another user's file edited by root).
    if (bExists && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        errno = 0;
    bool bOk = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && bOk) {
        bOk = false;
        err = errno;
    }
    if (bOk && ::rename(temp.c_str(), target.c_str()) != 0) {
        bOk = false;
        err = errno;
    }
    if (!bOk) {
        ::unlink(temp.c_str());
        return Fail(pError, err);
    }
    // The new name itself reaches the disk; a folder that cannot be synced changes nothing.
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : target.substr(0, slash);
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
