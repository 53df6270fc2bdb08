// Holds the last draw status accepted and the time of the next draw, and asks the service for
// a new draw once that time has passed: at most every six seconds, with a cheap probe first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "draws/draw_record.h"
#include "draws/draw_service.h"
#include "platform/clock.h"

namespace k3 {

// True when the probe names the held period: the last three characters of both texts agree.
// Comparing the probe's tail with the whole period would never match a real period such as
// 20261210045, and every due tick would make the full two-exchange call.
bool probeMatchesPeriod(std::string_view probe, std::string_view heldPeriod);

class DrawSource {
public:
    static constexpr int64_t kMinSecondsBetweenAttempts = 6;

    DrawSource(DrawService& service, Clock& clock) : m_service(service), m_clock(clock) {}

    // True when a draw other than the held one arrived: out and the held status then hold it,
    // and the next draw time is its scheduled time. False when busy, when the last attempt was
    // less than six seconds ago, when the next draw is not due, when the probe still names the
    // held period, when the call failed, or when the reply holds the held draw (out is
    // overwritten with it all the same).
    bool fetchLatestDraw(DrawStatus& out);
    // The time left until the next draw; empty once it is due.
    std::string countdownText();
    // The latest-draw call; false (out unchanged) on failure or a reply without exactly eight
    // fields.
    bool readNewest(DrawStatus& out);

    const DrawStatus& held() const { return m_held; }
    int64_t nextDrawTime() const { return m_nextDrawTime; }

private:
    bool attemptAllowed(int64_t now) const;

    DrawService& m_service;
    Clock& m_clock;
    DrawStatus m_held;
    int64_t m_nextDrawTime = 0;
    bool m_fetchBusy = false;
    int64_t m_lastAttempt = 0;
};

}  // namespace k3
