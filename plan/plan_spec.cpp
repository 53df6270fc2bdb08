// Recognising plan specs and adding the plans they name.
#include "plan/plan_spec.h"

#include "plan/distinct_numbers_kind.h"
#include "plan/plan_manager.h"
#include "plan/position_codes_kind.h"
#include "plan/same_number_kind.h"
#include "plan/single_sure_kind.h"
#include "plan/sum_big_small_kind.h"
#include "plan/sum_odd_even_kind.h"
#include "platform/digest.h"
#include "platform/regex.h"
#include "platform/text.h"

#include <array>
#include <optional>

namespace k3 {

namespace {

// Compiled once, on first use, and tested in this order.
struct SpecPatterns {
    Regex positionCodes{"([个十百])位定(\\d+)码"};
    Regex sameNumber{"([一二三])同号复选"};
    Regex distinctNumbers{"([一二三])不同号(?:通选)?"};
    Regex sum{"和值(大小|单双)"};
    Regex singleSure{"独胆定(\\d+)码"};
};

const SpecPatterns& specPatterns() {
    static const SpecPatterns patterns;
    return patterns;
}

// The groups of the first match, when the pattern matches the whole spec.
std::optional<std::vector<std::string>> acceptedGroups(const Regex& pattern, std::string_view spec) {
    if (!pattern.matchesWhole(spec)) {
        return std::nullopt;
    }
    return pattern.search(spec)->groups;
}

int32_t positionOf(std::string_view character) {
    if (character == "百") {
        return 1;
    }
    return character == "十" ? 2 : 3;
}

std::unique_ptr<PlanKind> positionCodesKind(const std::vector<std::string>& groups, std::string_view name) {
    const int32_t count = textToInt(groups[2]);
    if (count < 1 || count > 6) {
        return nullptr;
    }
    auto kind = std::make_unique<PositionCodesKind>();
    kind->configure(positionOf(groups[1]), count, name);
    return kind;
}

// A single-sure prediction holds one number per count; a count in the billions would exhaust
// memory at the first prediction, so counts beyond any real plan are refused.
constexpr int32_t kMaxSingleSureCount = 1000;

std::unique_ptr<PlanKind> singleSureKind(const std::vector<std::string>& groups, std::string_view name) {
    const int32_t count = textToInt(groups[1]);
    if (count > kMaxSingleSureCount) {
        return nullptr;
    }
    auto kind = std::make_unique<SingleSureKind>();
    kind->configure(count, name);
    return kind;
}

}  // namespace

int32_t chineseNumeral(std::string_view numeral) {
    static constexpr std::array<std::string_view, 11> kNumerals = {"零", "一", "二", "三", "四", "五",
                                                                   "六", "七", "八", "九", "十"};
    for (std::size_t value = 0; value < kNumerals.size(); ++value) {
        if (kNumerals[value] == numeral) {
            return static_cast<int32_t>(value);
        }
    }
    return -1;
}

std::unique_ptr<PlanKind> kindFromSpec(std::string_view spec, std::string_view name) {
    const SpecPatterns& patterns = specPatterns();
    if (auto groups = acceptedGroups(patterns.positionCodes, spec)) {
        return positionCodesKind(*groups, name);
    }
    if (auto groups = acceptedGroups(patterns.sameNumber, spec)) {
        auto kind = std::make_unique<SameNumberKind>();
        kind->configure(chineseNumeral((*groups)[1]), name);
        return kind;
    }
    if (auto groups = acceptedGroups(patterns.distinctNumbers, spec)) {
        auto kind = std::make_unique<DistinctNumbersKind>();
        kind->configure(chineseNumeral((*groups)[1]), 4, name);
        return kind;
    }
    if (auto groups = acceptedGroups(patterns.sum, spec)) {
        if ((*groups)[1] == "单双") {
            auto kind = std::make_unique<SumOddEvenKind>();
            kind->configure(1, 3, name);
            return kind;
        }
        auto kind = std::make_unique<SumBigSmallKind>();
        kind->configure(1, 3, name);
        return kind;
    }
    if (auto groups = acceptedGroups(patterns.singleSure, spec)) {
        return singleSureKind(*groups, name);
    }
    return nullptr;
}

int64_t digestPrefixValue(std::string_view text, int hexDigits) {
    const std::optional<std::string> gbk = utf8ToGbk(text);
    const std::string digest = md5Hex(gbk ? std::string_view(*gbk) : text);
    return std::stoll(digest.substr(0, static_cast<std::size_t>(hexDigits)), nullptr, 16);
}

bool PlanManager::addPlan(std::string_view spec, std::string_view name, int32_t formulaPeriods) {
    if (spec.empty()) {
        return false;
    }
    const std::unique_ptr<PlanKind> kind = kindFromSpec(spec, name);
    if (!kind) {
        return false;
    }
    appendRecord(*kind);
    setFormulaPeriods(formulaPeriods, name, true);
    return true;
}

void PlanManager::appendRecord(const PlanKind& kind) {
    PlanRecord record;
    record.kind = kind.clone();
    initRecord(record);
    m_records.push_back(std::move(record));
}

void PlanManager::initRecord(PlanRecord& record) {
    record.name = record.kind->getName();
    record.displayMode = record.kind->getDisplayMode();
    record.formulaPeriods = record.kind->getFormulaPeriods();
    record.seedOffset = static_cast<int32_t>(digestPrefixValue(record.name, 6));
}

}  // namespace k3
