#include "objects/VXFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

namespace FrameWork {

static bool Fail(const std::string& path, const char* step, int error) {
    std::cout << "ERROR: could not save " << path << " (" << step << ": " << std::strerror(error)
              << ")" << std::endl;
    return false;
}

bool WriteFileAtomic(const std::string& path, const std::string& text) {
    if (path.empty()) return Fail(path, "no file name", EINVAL);
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return Fail(path, "create", errno);
    const std::string tempPath(name.data());

    auto abandon = [&](const char* step) {
        int error = errno;
        close(fd);
        unlink(tempPath.c_str());
        return Fail(path, step, error);
    };
    // A new file gets the usual permissions rather than mkstemp's 0600;
    // an existing one keeps its own.
    struct stat existing;
    mode_t mode = 0644;
    if (stat(path.c_str(), &existing) == 0) mode = existing.st_mode & 07777;
    if (fchmod(fd, mode) != 0) return abandon("permissions");

    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon("write");
        }
        written += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0) return abandon("flush");
    if (close(fd) != 0) {
        int error = errno;
        unlink(tempPath.c_str());
        return Fail(path, "close", error);
    }
    if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
        int error = errno;
        unlink(tempPath.c_str());
        return Fail(path, "replace", error);
    }
    return true;
}

}  // namespace FrameWork
