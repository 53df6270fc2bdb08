// Polls the feed a few times a second; the feed decides whether anything is due.
#include "server/draw_ticker.h"

#include "server/draw_feed.h"

namespace k3 {

DrawTicker::DrawTicker(DrawFeed& feed, std::function<void(int)> onDraws)
    : m_feed(feed), m_onDraws(std::move(onDraws)) {}

DrawTicker::~DrawTicker() { stop(); }

void DrawTicker::start() {
    std::scoped_lock lock(m_mutex);
    if (!m_thread.joinable()) {
        m_stopping = false;
        m_thread = std::thread([this] { run(); });
    }
}

void DrawTicker::stop() {
    {
        std::scoped_lock lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void DrawTicker::run() {
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, kPollPeriod, [this] { return m_stopping; })) {
        lock.unlock();
        const int made = m_feed.advance();
        if (made > 0 && m_onDraws) {
            m_onDraws(made);
        }
        lock.lock();
    }
}

}  // namespace k3
