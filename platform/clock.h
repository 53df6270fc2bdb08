// The one source of time. Nothing else reads the system clock, so tests and replays can run
// on a fake clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace k3 {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the system started; 32 bits, wrapping like the Windows tick count.
    virtual uint32_t millisecondsSinceStart() = 0;
    // Whole seconds since 1970-01-01 00:00:00 UTC.
    virtual int64_t nowSeconds() = 0;
    // "YYYY-MM-DD HH:MM:SS" read as local time, as seconds since 1970-01-01 UTC;
    // nullopt when the text is not such a date-time.
    virtual std::optional<int64_t> localToSeconds(std::string_view localDateTime) = 0;
    // Whole seconds from local 1970-01-01 08:00:00 to the current local date-time
    // (equals Unix time on a clock that runs on UTC+8).
    virtual int64_t secondsSinceBase() = 0;
};

// The machine's clock and time zone.
class SystemClock final : public Clock {
public:
    uint32_t millisecondsSinceStart() override;
    int64_t nowSeconds() override;
    std::optional<int64_t> localToSeconds(std::string_view localDateTime) override;
    int64_t secondsSinceBase() override;
};

// A clock for tests and replays: the tick count starts at a given value and advances by a
// fixed step after every read; wall time is set by hand; local time is UTC + a fixed offset.
class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t firstTick = 0, uint32_t tickStep = 0, int64_t now = 0,
                       int64_t utcOffsetSeconds = 8 * 3600);

    uint32_t millisecondsSinceStart() override;
    int64_t nowSeconds() override;
    std::optional<int64_t> localToSeconds(std::string_view localDateTime) override;
    int64_t secondsSinceBase() override;

    void setTick(uint32_t tick) { m_tick = tick; }
    void setTickStep(uint32_t step) { m_tickStep = step; }
    void setNow(int64_t seconds) { m_now = seconds; }
    void advance(int64_t seconds) { m_now += seconds; }
    uint32_t tickReads() const { return m_tickReads; }

private:
    uint32_t m_tick;
    uint32_t m_tickStep;
    uint32_t m_tickReads = 0;
    int64_t m_now;
    int64_t m_utcOffset;
};

// Parses "YYYY-MM-DD HH:MM:SS" as a calendar date-time and gives its seconds as if it were UTC;
// nullopt for anything else. Shared by the clocks and by the draw service.
std::optional<int64_t> parseDateTimeAsUtc(std::string_view dateTime);

}  // namespace k3
