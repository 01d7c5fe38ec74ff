#pragma once
// Real disk failures for tests: a small tmpfs (64 KB) that can be filled or made read-only, and a
// limit on the size of the files this process writes. A test that cannot have its failure skips,
// saying why.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

class CScratchDisk {
public:
    // Mounted over the folder at (which must exist), or else over a new temporary folder.
    explicit CScratchDisk(const std::string& at = {}) : m_path(at) {
        char folder[] = "/tmp/vw-disk-XXXXXX";
        if (m_path.empty()) {
            if (mkdtemp(folder) == nullptr) {
                m_reason = std::string("no temporary folder: ") + std::strerror(errno);
                return;
            }
            m_path = folder;
            m_bOwnFolder = true;
        }
        if (mount("tmpfs", m_path.c_str(), "tmpfs", 0, "size=64k") != 0) {
            m_reason = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            return;
        }
        m_bMounted = true;
    }
    ~CScratchDisk() {
        if (m_bMounted)
            umount2(m_path.c_str(), MNT_DETACH);
        if (m_bOwnFolder)
            rmdir(m_path.c_str());
    }
    CScratchDisk(const CScratchDisk&) = delete;
    CScratchDisk& operator=(const CScratchDisk&) = delete;

    bool Mounted() const { return m_bMounted; }
    const std::string& Reason() const { return m_reason; }
    std::string File(const char* pszName) const { return m_path + "/" + pszName; }

    // Writes a ballast file until the disk takes no more.
    bool Fill() {
        const int fd = open(File(".ballast").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0)
            return false;
        const std::string block(4096, 'b');
        while (write(fd, block.data(), block.size()) > 0) {
        }
        const bool bFull = errno == ENOSPC;
        close(fd);
        return bFull;
    }
    void Free() { unlink(File(".ballast").c_str()); }
    // Read-only from now on, as a disk mounted so.
    bool MakeReadOnly() {
        return mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string m_path;
    std::string m_reason;
    bool m_bMounted = false;
    bool m_bOwnFolder = false;
};

// While it lives, files this process writes cannot grow past nBytes: a write beyond fails with
// EFBIG (the signal it would raise is ignored).
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t nBytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = nBytes;
        m_bSet = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~CFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;
    bool IsSet() const { return m_bSet; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_bSet = false;
};
