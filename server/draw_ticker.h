// A thread that makes each draw when it falls due.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace k3 {

class DrawFeed;

class DrawTicker {
public:
    // onDraws is called on the ticker's thread with the number of draws just made.
    DrawTicker(DrawFeed& feed, std::function<void(int made)> onDraws);
    ~DrawTicker();
    DrawTicker(const DrawTicker&) = delete;
    DrawTicker& operator=(const DrawTicker&) = delete;

    void start();
    void stop();

private:
    void run();

    static constexpr std::chrono::milliseconds kPollPeriod{200};
    DrawFeed& m_feed;
    std::function<void(int)> m_onDraws;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace k3
