// The timetable works on local wall-clock seconds and converts at its edges.
#include "server/draw_schedule.h"

#include "server/local_time.h"

#include <algorithm>

namespace k3 {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kFirstDrawOfDay = 8 * 3600 + 30 * 60;
constexpr int64_t kTimetableSpacing = 10 * 60;

int64_t wallDayStart(const std::chrono::year_month_day& day) {
    return std::chrono::sys_seconds{std::chrono::sys_days{day}}.time_since_epoch().count();
}

}  // namespace

DrawSchedule::DrawSchedule(Clock& clock, int64_t intervalSeconds)
    : m_clock(clock), m_interval(intervalSeconds) {}

ScheduledDraw DrawSchedule::following(const DrawPeriod& last, int64_t lastAt) const {
    const DrawPeriod period = nextPeriod(last);
    return {period, m_interval > 0 ? lastAt + m_interval : timetableTime(period)};
}

int64_t DrawSchedule::stampFor(int64_t due, int64_t now) const {
    return m_interval > 0 && now - due >= m_interval ? now : due;
}

std::vector<ScheduledDraw> DrawSchedule::recentDraws(int64_t now, int count) const {
    std::vector<ScheduledDraw> draws(static_cast<size_t>(std::max(count, 0)));
    DrawPeriod period = latestTimetablePeriod(now);
    for (size_t i = draws.size(); i-- > 0;) {
        const auto stepsBack = static_cast<int64_t>(draws.size() - 1 - i);
        draws[i] = {period, m_interval > 0 ? now - stepsBack * m_interval : timetableTime(period)};
        period = previousPeriod(period);
    }
    return draws;
}

int64_t DrawSchedule::timetableTime(const DrawPeriod& period) const {
    const int64_t wall = wallDayStart(period.day) + kFirstDrawOfDay + (period.number - 1) * kTimetableSpacing;
    if (const std::optional<int64_t> utc = wallToUtc(m_clock, wall)) {
        return *utc;
    }
    // A wall time skipped by a zone change: take the offset of the instant nearby.
    return wall - (utcToWall(m_clock, wall) - wall);
}

DrawPeriod DrawSchedule::latestTimetablePeriod(int64_t now) const {
    const int64_t wall = utcToWall(m_clock, now);
    const int64_t dayStart = wall - ((wall % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    const std::chrono::year_month_day day{
        std::chrono::floor<std::chrono::days>(std::chrono::sys_seconds{std::chrono::seconds(dayStart)})};
    const int64_t intoDay = wall - dayStart;
    if (intoDay < kFirstDrawOfDay) {
        return previousPeriod(DrawPeriod{day, 1});
    }
    const int64_t number =
        std::min<int64_t>(kDrawsPerDay, (intoDay - kFirstDrawOfDay) / kTimetableSpacing + 1);
    return {day, static_cast<int>(number)};
}

}  // namespace k3
