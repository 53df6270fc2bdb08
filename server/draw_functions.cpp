// Parameters come as texts: the access token first (accepted whatever it is), then the
// function's own. The draw tables are laid out for the client's raw-text reading: compact JSON,
// rows joined by CRLF, pieces by "|+|", newest first.
#include "server/draw_functions.h"

#include "platform/text.h"
#include "server/draw_feed.h"
#include "server/draw_period.h"
#include "server/json_text.h"

#include <nlohmann/json.hpp>

#include <chrono>

namespace k3 {
namespace {

using Params = std::vector<std::string>;

CallOutcome badParameter() { return {ServiceError::BadParameter, "", false}; }

// {"data": text} as compact JSON.
std::string wrapData(const std::string& text) {
    nlohmann::ordered_json wrapped;
    wrapped["data"] = text;
    return compactJson(wrapped);
}

std::string tableText(const std::vector<StoredDraw>& draws) {
    std::vector<std::string> rows;
    rows.reserve(draws.size());
    for (const StoredDraw& draw : draws) {
        const DrawRecord& r = draw.record;
        rows.push_back(joinText({r.extra, r.period, r.drawTime, r.numbers, std::to_string(r.seed)}, "|+|"));
    }
    return joinText(rows, "\r\n");
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A count of 1 to kMaxSelectCount written in decimal digits.
std::optional<int> readCount(std::string_view text) {
    if (!allDigits(text) || text.size() > 4) {
        return std::nullopt;
    }
    const int count = textToInt(text);
    return count >= 1 && count <= kMaxSelectCount ? std::optional<int>(count) : std::nullopt;
}

// Year-month-day with or without leading zeros: 2017-5-2 or 2017-05-02.
std::optional<std::chrono::year_month_day> readDate(std::string_view text) {
    const std::vector<std::string> parts = splitText(text, "-");
    if (parts.size() != 3 || !allDigits(parts[0]) || !allDigits(parts[1]) || !allDigits(parts[2]) ||
        parts[0].size() > 4 || parts[1].size() > 2 || parts[2].size() > 2) {
        return std::nullopt;
    }
    const std::chrono::year_month_day day{std::chrono::year(textToInt(parts[0])),
                                          std::chrono::month(static_cast<unsigned>(textToInt(parts[1]))),
                                          std::chrono::day(static_cast<unsigned>(textToInt(parts[2])))};
    return day.ok() ? std::optional(day) : std::nullopt;
}

CallOutcome newestDraw(const DrawFeed& feed) {
    const DrawStatus status = feed.status();
    const std::vector<std::string> fields = {status.last.extra,
                                             status.last.period,
                                             status.last.drawTime,
                                             status.last.numbers,
                                             std::to_string(status.last.seed),
                                             status.next.extra,
                                             status.next.period,
                                             status.next.drawTime};
    return {ServiceError::None, wrapData(joinText(fields, "| |")), true};
}

CallOutcome selectDraw(DrawFeed& feed, const Params& params) {
    const std::optional<int> count = params.size() == 2 ? readCount(params[1]) : std::nullopt;
    if (!count) {
        return badParameter();
    }
    return {ServiceError::None, wrapData(tableText(feed.store().latest(*count))), false};
}

CallOutcome selectDrawDate(DrawFeed& feed, const Params& params) {
    const std::optional<std::chrono::year_month_day> day =
        params.size() == 2 ? readDate(params[1]) : std::nullopt;
    if (!day) {
        return badParameter();
    }
    return {ServiceError::None, wrapData(tableText(feed.store().ofDay(dayText(*day)))), false};
}

// For each key taken as a period, that draw's numbers, or the empty text when there is none.
CallOutcome forecast(DrawFeed& feed, const Params& params) {
    if (params.size() < 2) {
        return badParameter();
    }
    nlohmann::ordered_json numbers = nlohmann::ordered_json::object();
    for (size_t i = 2; i < params.size(); ++i) {
        const std::optional<StoredDraw> draw = feed.store().find(params[i]);
        numbers[params[i]] = draw ? draw->record.numbers : "";
    }
    return {ServiceError::None, compactJson(numbers), false};
}

}  // namespace

CallFunctions makeDrawFunctions(DrawFeed& feed, std::string initData) {
    CallFunctions functions;
    functions["init"] = [initData](const Params&) { return CallOutcome{ServiceError::None, initData, true}; };
    functions["getInit"] = [initData](const Params&) {
        return CallOutcome{ServiceError::None, wrapData(initData), true};
    };
    functions["newestdraw"] = [&feed](const Params&) { return newestDraw(feed); };
    functions["select_draw"] = [&feed](const Params& params) { return selectDraw(feed, params); };
    functions["select_draw_date"] = [&feed](const Params& params) { return selectDrawDate(feed, params); };
    functions["getforecast"] = [&feed](const Params& params) { return forecast(feed, params); };
    return functions;
}

}  // namespace k3
