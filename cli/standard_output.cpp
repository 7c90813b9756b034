#include "standard_output.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace talvenor::cli {
namespace {

// The error of the write that failed: stdio drops what it could not write, so a later flush succeeds
// and no longer tells why.
int failedWrite = 0;

// Whether standard output is a pipe or a socket whose reader has gone.
bool ReaderGone(int error) {
    if (error == EPIPE) return true;
    struct stat status {};
    if (::fstat(STDOUT_FILENO, &status) != 0 || !(S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)))
        return false;
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & (POLLERR | POLLHUP)) != 0;
}

}  // namespace

bool WriteOut(std::string_view text) {
    if (text.empty()) return !OutputFailed();
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
        if (failedWrite == 0) failedWrite = errno;
        return false;
    }
    return !OutputFailed();
}

bool OutputFailed() {
    return std::ferror(stdout) != 0 || !std::cout.good();
}

int FinishOutput(int status) {
    // A write made with printf leaves its error behind in errno: nothing after it in a command fails.
    const int pending = errno;
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int flushError = errno;
    if (flushed && !OutputFailed()) return status;
    const int error = !flushed ? flushError : failedWrite != 0 ? failedWrite : pending;
    if (ReaderGone(error)) return 1;
    const std::string reason = error != 0 ? std::string(": ") + std::strerror(error) : std::string();
    std::fprintf(stderr, "talvenor-report: the output could not be written%s\n", reason.c_str());
    return 1;
}

}  // namespace talvenor::cli
