// Places where writing a file fails, staged so that they fail for root too: the tests run as root, and a
// folder without write permission does not stop root. What works instead:
//   read-only folder  the folder made immutable (chattr +i), which binds root as well;
//   missing folder    a folder that does not exist;
//   file in the path  the folder's name taken by a plain file;
//   full disk         the largest file this process may write lowered (RLIMIT_FSIZE): writes beyond it
//                     fail as on a full disk;
//   full device       the file a symbolic link to /dev/full, which fails every write with "no space";
//   target is folder  a folder where the file should be.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace talvenor::testing_support {

namespace fault_fs = std::filesystem;

inline std::string FileBytes(const fault_fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutFile(const fault_fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Sets or clears the immutable flag of a folder; false where the filesystem or the process cannot.
inline bool SetImmutable(const fault_fs::path& folder, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// For its lifetime no file of this process can grow beyond `bytes`: a write past it fails (EFBIG) as
// on a full disk. The signal that would end the process at such a write is ignored meanwhile.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = std::min(bytes, old_.rlim_max);
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    sighandler_t oldHandler_{};
};

enum class Fault { ReadOnlyFolder, MissingFolder, FileInPath, FullDisk, FullDevice, TargetIsFolder };

inline constexpr Fault kAllFaults[] = {Fault::ReadOnlyFolder, Fault::MissingFolder, Fault::FileInPath,
                                       Fault::FullDisk,       Fault::FullDevice,    Fault::TargetIsFolder};

inline const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::ReadOnlyFolder:
            return "read-only folder (immutable)";
        case Fault::MissingFolder:
            return "missing folder";
        case Fault::FileInPath:
            return "a plain file where the folder should be";
        case Fault::FullDisk:
            return "full disk (file size limit)";
        case Fault::FullDevice:
            return "the file a link to /dev/full";
        case Fault::TargetIsFolder:
            return "a folder where the file should be";
    }
    return "?";
}

// The folder `root/folderName` holding `fileName`, staged to fail in one way. Files given to the
// constructor (the previous file first) are put into the folder before the fault is set up, where the
// fault leaves room for them. Write() runs a writer with the fault in force.
class FaultyPlace {
  public:
    using Files = std::vector<std::pair<std::string, std::string>>;

    FaultyPlace(const fault_fs::path& root, Fault fault, const std::string& folderName,
                const std::string& fileName, const Files& files = {})
        : fault_(fault), folder_(root / folderName), file_(folder_ / fileName) {
        std::error_code ec;
        fault_fs::create_directories(root, ec);
        switch (fault) {
            case Fault::MissingFolder:
                return;
            case Fault::FileInPath:
                PutFile(folder_, kInTheWay);
                return;
            case Fault::TargetIsFolder:
                fault_fs::create_directories(file_, ec);
                PutFile(file_ / "inside.txt", kInTheWay);
                break;
            case Fault::FullDevice:
                fault_fs::create_directories(folder_, ec);
                fault_fs::create_symlink("/dev/full", file_, ec);
                break;
            default:
                fault_fs::create_directories(folder_, ec);
                break;
        }
        for (const auto& [name, bytes] : files) {
            if (folder_ / name == file_ && (fault == Fault::FullDevice || fault == Fault::TargetIsFolder))
                continue;
            PutFile(folder_ / name, bytes);
        }
        before_ = Listing();
        if (fault == Fault::ReadOnlyFolder) {
            immutable_ = SetImmutable(folder_, true);
            available_ = immutable_;
        }
    }
    ~FaultyPlace() {
        if (immutable_) SetImmutable(folder_, false);
    }
    FaultyPlace(const FaultyPlace&) = delete;
    FaultyPlace& operator=(const FaultyPlace&) = delete;

    const fault_fs::path& folder() const { return folder_; }
    const fault_fs::path& file() const { return file_; }
    // False when this fault cannot be staged here (no immutable flag on this filesystem or for this user).
    bool available() const { return available_; }

    template <typename Writer>
    auto Write(Writer&& write) {
        if (fault_ != Fault::FullDisk) return write();
        const FileSizeLimit limit(kDiskRoom);
        return write();
    }

    // The folder holds exactly the entries it held before, each plain file byte for byte as it was, and
    // whatever stood in the file's place still stands there.
    bool Unchanged() const {
        std::error_code ec;
        switch (fault_) {
            case Fault::MissingFolder:
                return !fault_fs::exists(folder_);
            case Fault::FileInPath:
                return FileBytes(folder_) == kInTheWay;
            case Fault::TargetIsFolder:
                if (FileBytes(file_ / "inside.txt") != kInTheWay) return false;
                break;
            case Fault::FullDevice:
                if (fault_fs::read_symlink(file_, ec) != "/dev/full" ||
                    !fault_fs::is_character_file("/dev/full", ec))
                    return false;
                break;
            default:
                break;
        }
        return Listing() == before_;
    }

    // Room left on the "full disk": smaller than anything the writers write.
    static constexpr rlim_t kDiskRoom = 16;
    static constexpr const char* kInTheWay = "in the way";

  private:
    // Each entry's name and, for plain files, bytes.
    std::vector<std::pair<std::string, std::string>> Listing() const {
        std::vector<std::pair<std::string, std::string>> entries;
        std::error_code ec;
        for (const auto& entry : fault_fs::directory_iterator(folder_, ec)) {
            const bool plain = entry.is_regular_file(ec) && !entry.is_symlink(ec);
            entries.emplace_back(entry.path().filename().string(), plain ? FileBytes(entry.path()) : "");
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    Fault fault_;
    fault_fs::path folder_, file_;
    bool immutable_ = false;
    bool available_ = true;
    std::vector<std::pair<std::string, std::string>> before_;
};

}  // namespace talvenor::testing_support
