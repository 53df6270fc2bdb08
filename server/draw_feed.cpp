// Draws are made in batches (a restart may owe many) and stored before they become visible.
#include "server/draw_feed.h"

#include "platform/clock.h"
#include "server/local_time.h"
#include "server/random_source.h"

#include <vector>

namespace k3 {

DrawFeed::DrawFeed(DrawStore& store, const DrawSchedule& schedule, RandomSource& random, Clock& clock)
    : m_store(store), m_schedule(schedule), m_random(random), m_clock(clock) {}

bool DrawFeed::start(std::string& error) {
    std::vector<StoredDraw> latest = m_store.latest(1);
    if (latest.empty()) {
        std::vector<StoredDraw> history;
        for (const ScheduledDraw& due : m_schedule.recentDraws(m_clock.nowSeconds(), kStartHistory)) {
            history.push_back(makeDraw(due.period, due.at));
        }
        if (!m_store.append(history)) {
            error = "cannot write the first draws to the database";
            return false;
        }
        latest = {history.back()};
    }
    const std::optional<DrawPeriod> period = parsePeriod(latest.front().record.period);
    if (!period) {
        error = "the database's latest period " + latest.front().record.period + " is not a period";
        return false;
    }
    holdLatest(latest.front(), *period);
    advance();
    return true;
}

int DrawFeed::advance() {
    std::scoped_lock lock(m_advanceMutex);
    const int64_t now = m_clock.nowSeconds();
    StoredDraw last;
    DrawPeriod lastPeriod;
    {
        std::scoped_lock statusLock(m_statusMutex);
        last = m_latest;
        lastPeriod = m_latestPeriod;
    }
    std::vector<StoredDraw> made;
    for (ScheduledDraw due = m_schedule.following(lastPeriod, last.drawnAt); due.at <= now;
         due = m_schedule.following(lastPeriod, last.drawnAt)) {
        last = makeDraw(due.period, m_schedule.stampFor(due.at, now));
        lastPeriod = due.period;
        made.push_back(last);
    }
    if (made.empty() || !m_store.append(made)) {
        return 0;
    }
    holdLatest(last, lastPeriod);
    return static_cast<int>(made.size());
}

DrawStatus DrawFeed::status() const {
    std::scoped_lock lock(m_statusMutex);
    return {m_latest.record, m_next};
}

std::string DrawFeed::newestPeriod() const {
    std::scoped_lock lock(m_statusMutex);
    return m_latest.record.period;
}

StoredDraw DrawFeed::makeDraw(const DrawPeriod& period, int64_t at) {
    StoredDraw draw;
    draw.record.extra = kDrawExtra;
    draw.record.period = periodText(period);
    draw.record.drawTime = formatWallTime(utcToWall(m_clock, at));
    draw.record.numbers = rollDice(m_random);
    draw.record.seed = makeSeed(m_random);
    draw.drawnAt = at;
    return draw;
}

void DrawFeed::holdLatest(const StoredDraw& latest, const DrawPeriod& period) {
    const ScheduledDraw next = m_schedule.following(period, latest.drawnAt);
    std::scoped_lock lock(m_statusMutex);
    m_latest = latest;
    m_latestPeriod = period;
    m_next = DrawRecord{std::string(kDrawExtra), periodText(next.period),
                        formatWallTime(utcToWall(m_clock, next.at)), "", 0};
}

}  // namespace k3
