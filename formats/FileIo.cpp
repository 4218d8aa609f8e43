#include "formats/FileIo.h"

#include "app/core/Reporter.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {

namespace {

/// A file descriptor closed on scope exit.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { if (fd_ >= 0) ::close(fd_); }
    int get() const { return fd_; }
    /// Closes now; false (errno set) when the close reports an error.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string reason(int error) { return std::strerror(error); }

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// Creates a new temporary file beside path (same folder, so the rename stays on one file system).
int createTemporary(const std::string& path, std::string& name)
{
    static std::atomic<unsigned> counter{0};
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".part";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

/// Renames a whole temporary over path and makes the rename itself durable.
bool renameDurably(const std::string& temporary, const std::string& path)
{
    if (::rename(temporary.c_str(), path.c_str()) != 0) return false;
    const Fd folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return true;
}

std::string writeInPlace(const std::string& path, std::span<const std::uint8_t> bytes)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0 || !writeAll(fd.get(), bytes) || !fd.close()) return reason(errno);
    return {};
}

} // namespace

std::string inputProblem(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? std::string() : path + ": " + reason(errno);
    if (S_ISDIR(st.st_mode)) return path + " is a folder, not a file";
    if (!S_ISREG(st.st_mode)) return path + " is a device or other special file, not a file";
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return path + ": " + reason(errno);
    return {};
}

std::string outputProblem(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return path + " is a folder, not a file";
        if (::access(path.c_str(), W_OK) != 0) return path + ": " + reason(errno);
        if (!S_ISREG(st.st_mode)) return {};
    }
    const std::string folder = folderOf(path);
    if (::stat(folder.c_str(), &st) != 0) return "cannot create " + path + ": folder " + folder + ": " + reason(errno);
    if (!S_ISDIR(st.st_mode)) return "cannot create " + path + ": " + folder + " is not a folder";
    std::string temporary;
    Fd fd(createTemporary(path, temporary));
    if (fd.get() < 0) return "cannot create " + path + ": " + reason(errno);
    ::unlink(temporary.c_str());
    return {};
}

std::string replaceFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    struct stat existing;
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return "a folder has that name";
    if (exists && !S_ISREG(existing.st_mode)) return writeInPlace(path, bytes);
    if (exists && ::access(path.c_str(), W_OK) != 0) return reason(errno);   // a write-protected file stays
    if (exists) {   // through a link: the file it names is replaced, the link stays
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            const std::string target(real);
            std::free(real);
            if (target != path) return replaceFile(target, bytes);
        }
    }

    std::string temporary;
    Fd fd(createTemporary(path, temporary));
    if (fd.get() < 0) return reason(errno);
    const bool written = (!exists || ::fchmod(fd.get(), existing.st_mode & 07777) == 0) &&
                         writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close() &&
                         renameDurably(temporary, path);
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return reason(error);
    }
    return {};
}

std::string commitTemporary(const std::string& temporary, const std::string& path)
{
    Fd fd(::open(temporary.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0 || !fd.close() || !renameDurably(temporary, path)) return reason(errno);
    return {};
}

std::optional<std::vector<std::uint8_t>> readFileQuietly(const std::string& path)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    // Sized from the file's real length; a file that grows while it is read is read to its end.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::size_t(st.st_size));
    std::uint8_t buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        bytes.insert(bytes.end(), buf, buf + n);
    }
    return bytes;
}

std::optional<std::vector<std::uint8_t>> readInputFile(const std::string& path, Reporter& reporter)
{
    auto bytes = readFileQuietly(path);
    reporter.log(bytes ? kOpenedLine : kCouldNotOpenLine);
    reporter.log(" ");
    return bytes;
}

bool writeOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    const std::string problem = replaceFile(path, bytes);
    if (problem.empty()) return true;
    reporter.log(kCouldNotOpenOutputLine);
    reporter.log(path + ": " + problem);
    return false;
}

bool writeOutputFile(const std::string& path, const std::string& text, Reporter& reporter)
{
    return writeOutputFile(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
        reporter);
}

} // namespace fileio
