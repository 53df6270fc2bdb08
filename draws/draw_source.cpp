#include "draws/draw_source.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "draws/countdown.h"

namespace k3 {
namespace {

constexpr std::size_t kNewestFieldCount = 8;
constexpr std::size_t kPeriodTailCharacters = 3;

// The last count characters (UTF-8), all of the text when it is shorter.
std::string_view lastCharacters(std::string_view text, std::size_t count) {
    std::size_t start = text.size();
    while (start > 0 && count > 0) {
        --start;
        const auto byte = static_cast<unsigned char>(text[start]);
        if ((byte & 0xC0) != 0x80) {
            --count;
        }
    }
    return text.substr(start);
}

// Clears the busy flag however the fetch ends.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace

bool probeMatchesPeriod(std::string_view probe, std::string_view heldPeriod) {
    return lastCharacters(probe, kPeriodTailCharacters) == lastCharacters(heldPeriod, kPeriodTailCharacters);
}

bool DrawSource::attemptAllowed(int64_t now) const {
    return now - m_lastAttempt >= kMinSecondsBetweenAttempts && now >= m_nextDrawTime;
}

bool DrawSource::fetchLatestDraw(DrawStatus& out) {
    if (m_fetchBusy) {
        return false;
    }
    const int64_t now = m_clock.nowSeconds();
    if (!attemptAllowed(now)) {
        return false;
    }
    m_lastAttempt = now;
    {
        // The service calls let the window process its messages, so a tick may come back here.
        BusyScope busy(m_fetchBusy);
        if (probeMatchesPeriod(m_service.probeNewestPeriod(), m_held.last.period) || !readNewest(out)) {
            return false;
        }
    }
    m_lastAttempt = m_clock.nowSeconds();
    if (out.last.period == m_held.last.period) {
        return false;
    }
    m_held = out;
    // A scheduled time that is no date leaves the draw due: an attempt every six seconds.
    m_nextDrawTime = m_clock.localToSeconds(m_held.next.drawTime).value_or(0);
    return true;
}

std::string DrawSource::countdownText() {
    const int64_t left = m_nextDrawTime - m_clock.nowSeconds();
    const int64_t clamped =
        std::clamp<int64_t>(left, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    return formatCountdown(static_cast<int32_t>(clamped));
}

bool DrawSource::readNewest(DrawStatus& out) {
    std::vector<std::string> fields;
    if (!m_service.newestDraw(fields) || fields.size() != kNewestFieldCount) {
        return false;
    }
    out = fromNewestFields(fields);
    return true;
}

}  // namespace k3
