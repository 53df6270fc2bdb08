#include "platform/clock.h"

#include <ctime>

namespace k3 {
namespace {

// Seconds from local 1970-01-01 00:00:00 to local 1970-01-01 08:00:00.
constexpr int64_t kBaseOffset = 8 * 3600;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

bool isLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned daysInMonth(int64_t year, unsigned month) {
    static constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// Reads an unsigned decimal field of 1 to maxDigits digits at position i.
bool readField(std::string_view text, std::size_t& i, std::size_t maxDigits, int64_t& value) {
    const std::size_t start = i;
    value = 0;
    while (i < text.size() && i - start < maxDigits && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return i > start;
}

bool expect(std::string_view text, std::size_t& i, char c) {
    if (i >= text.size() || text[i] != c) return false;
    ++i;
    return true;
}

}  // namespace

std::optional<int64_t> parseDateTimeAsUtc(std::string_view dateTime) {
    std::size_t i = 0;
    int64_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const bool shaped =
        readField(dateTime, i, 4, year) && expect(dateTime, i, '-') && readField(dateTime, i, 2, month) &&
        expect(dateTime, i, '-') && readField(dateTime, i, 2, day) && expect(dateTime, i, ' ') &&
        readField(dateTime, i, 2, hour) && expect(dateTime, i, ':') && readField(dateTime, i, 2, minute) &&
        expect(dateTime, i, ':') && readField(dateTime, i, 2, second) && i == dateTime.size();
    if (!shaped || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, static_cast<unsigned>(month)) || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

uint32_t SystemClock::millisecondsSinceStart() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

int64_t SystemClock::nowSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

std::optional<int64_t> SystemClock::localToSeconds(std::string_view localDateTime) {
    const auto asUtc = parseDateTimeAsUtc(localDateTime);
    if (!asUtc) return std::nullopt;
    const auto wall = static_cast<time_t>(*asUtc);
    tm fields{};
    gmtime_r(&wall, &fields);
    fields.tm_isdst = -1;  // let the zone rules decide
    return static_cast<int64_t>(mktime(&fields));
}

int64_t SystemClock::secondsSinceBase() {
    const time_t now = std::time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return static_cast<int64_t>(timegm(&local)) - kBaseOffset;
}

FakeClock::FakeClock(uint32_t firstTick, uint32_t tickStep, int64_t now, int64_t utcOffsetSeconds)
    : m_tick(firstTick), m_tickStep(tickStep), m_now(now), m_utcOffset(utcOffsetSeconds) {}

uint32_t FakeClock::millisecondsSinceStart() {
    const uint32_t tick = m_tick;
    m_tick += m_tickStep;
    ++m_tickReads;
    return tick;
}

int64_t FakeClock::nowSeconds() { return m_now; }

std::optional<int64_t> FakeClock::localToSeconds(std::string_view localDateTime) {
    const auto asUtc = parseDateTimeAsUtc(localDateTime);
    if (!asUtc) return std::nullopt;
    return *asUtc - m_utcOffset;
}

int64_t FakeClock::secondsSinceBase() { return m_now + m_utcOffset - kBaseOffset; }

}  // namespace k3
