// When draws happen: the daily timetable (82 draws from 08:30 local time, ten minutes apart) or,
// for demonstrations, one draw every few seconds with the period numbers running on.
#pragma once

#include "server/draw_period.h"

#include <cstdint>
#include <vector>

namespace k3 {

class Clock;

struct ScheduledDraw {
    DrawPeriod period;
    int64_t at = 0;  // UTC seconds
};

class DrawSchedule {
public:
    // intervalSeconds 0 follows the daily timetable.
    DrawSchedule(Clock& clock, int64_t intervalSeconds);

    // The draw after the one of period last made at lastAt.
    ScheduledDraw following(const DrawPeriod& last, int64_t lastAt) const;
    // The time recorded for a draw due at due and made at now. On the timetable that is the due
    // time; in demonstration mode a draw late by a whole interval or more (the service was
    // stopped) is stamped now, so that the next one does not follow at once.
    int64_t stampFor(int64_t due, int64_t now) const;
    // The count draws up to now that a new store starts with, oldest first.
    std::vector<ScheduledDraw> recentDraws(int64_t now, int count) const;

    // The timetable's time of a period and its latest period at or before now.
    int64_t timetableTime(const DrawPeriod& period) const;
    DrawPeriod latestTimetablePeriod(int64_t now) const;

private:
    Clock& m_clock;
    int64_t m_interval;
};

}  // namespace k3
