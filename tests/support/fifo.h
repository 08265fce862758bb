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

// Whether `work`, which reads the FIFO at `fifo` or refuses it, finished with
// nobody writing to it. A reader still waiting after a generous while is
// given an end of file (the FIFO is opened for writing and closed), so that
// the test fails instead of hanging.
inline bool FinishesWithoutWriter(const std::filesystem::path& fifo, const std::function<void()>& work) {
    std::future<void> task = std::async(std::launch::async, work);
    const bool finished = task.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    if (!finished) ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    task.get();
    return finished;
}

}  // namespace tw::test
