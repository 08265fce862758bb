#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <stdexcept>

namespace tw::test {

inline void MakeFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
}

// Runs `work`, which reads the FIFO at `fifo` or refuses it, and tells
// whether it finished with nobody writing to the FIFO. A reader still
// waiting after a generous while is released (the FIFO is opened for
// writing and closed, which gives it an end of file), so that a test of a
// reader that waits fails instead of hanging. What `work` throws is thrown.
inline bool FinishesWithoutWriter(const std::filesystem::path& fifo, const std::function<void()>& work) {
    std::future<void> task = std::async(std::launch::async, work);
    const bool finished = task.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    if (!finished) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    }
    task.get();
    return finished;
}

}  // namespace tw::test
