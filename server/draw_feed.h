// Keeps the store in step with the schedule: makes each draw when it falls due, back-fills a new
// store and catches up after a stop, and holds the latest draw for the cheap questions.
#pragma once

#include "draws/draw_record.h"
#include "server/draw_schedule.h"
#include "server/draw_store.h"

#include <mutex>
#include <string>

namespace k3 {

class Clock;
class RandomSource;

inline constexpr std::string_view kDrawExtra = "吉林快三";

class DrawFeed {
public:
    // Draws a new store starts with, so that a history of 50 is full from the first call.
    static constexpr int kStartHistory = 120;

    DrawFeed(DrawStore& store, const DrawSchedule& schedule, RandomSource& random, Clock& clock);

    // Back-fills an empty store and makes the draws that fell due while the service was stopped;
    // false with a message when the store cannot be read or written.
    bool start(std::string& error);
    // Makes every draw due by now; the number made (0 also when the store refused them).
    int advance();

    // The latest draw and the coming one (extra, period and scheduled time only).
    DrawStatus status() const;
    std::string newestPeriod() const;
    DrawStore& store() { return m_store; }

private:
    StoredDraw makeDraw(const DrawPeriod& period, int64_t at);
    void holdLatest(const StoredDraw& latest, const DrawPeriod& period);

    DrawStore& m_store;
    const DrawSchedule& m_schedule;
    RandomSource& m_random;
    Clock& m_clock;

    std::mutex m_advanceMutex;  // one writer at a time
    mutable std::mutex m_statusMutex;
    StoredDraw m_latest;
    DrawPeriod m_latestPeriod;
    DrawRecord m_next;
};

}  // namespace k3
