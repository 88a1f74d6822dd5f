// File replacement with rename(2), which swaps the name in one step.
#include "settings/replace_file.h"

#include "settings/save_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace gkr {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The rename itself reaches the disk only with the folder's entry.
void SyncFolder(const std::string& path) {
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::string WriteFileBeside(const std::string& path, const std::string& bytes) {
    struct stat old;
    const bool exists = stat(path.c_str(), &old) == 0;
    // A read-only file stays as it is, as it would when written in place.
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0)) return std::string();

    // Beside the target, so the rename stays within its file system.
    const std::string newFile = SaveTempName(path, uint32_t(getpid()));
    const int fd = open(newFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return std::string();
    // The replacement keeps the permissions of the file it replaces.
    const mode_t mode = exists ? (old.st_mode & 07777) : 0;
    const bool ok = (!exists || fchmod(fd, mode) == 0) && WriteAll(fd, bytes) && fsync(fd) == 0;
    if (close(fd) != 0 || !ok) {
        unlink(newFile.c_str());
        return std::string();
    }
    return newFile;
}

bool MoveFileOver(const std::string& newFile, const std::string& path) {
    if (std::rename(newFile.c_str(), path.c_str()) != 0) {
        unlink(newFile.c_str());
        return false;
    }
    SyncFolder(path);
    return true;
}

NewNameMove MoveFileToNewName(const std::string& newFile, const std::string& path) {
    // A second link, unlike rename(2), never takes a name that is in use.
    if (link(newFile.c_str(), path.c_str()) != 0) {
        if (errno == EEXIST) return NewNameMove::Taken;
        unlink(newFile.c_str());
        return NewNameMove::Failed;
    }
    unlink(newFile.c_str());
    SyncFolder(path);
    return NewNameMove::Moved;
}

void RemoveFileBeside(const std::string& newFile) { unlink(newFile.c_str()); }

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string newFile = WriteFileBeside(path, bytes);
    return !newFile.empty() && MoveFileOver(newFile, path);
}

}  // namespace gkr
