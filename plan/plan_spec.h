// Plan specs: the short texts that name a bet type (独胆定1码, 百位定3码, 和值单双 ...) and the
// configured kind each one selects, plus the digest-based seed numbers of plan names.
#pragma once

#include "plan/plan_kind.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace k3 {

// 零 .. 十 as 0 .. 10; anything else -1.
int32_t chineseNumeral(std::string_view numeral);

// The kind the plan spec selects, configured and named name; null when no pattern accepts the whole
// spec or when it asks for codes a position cannot hold (fewer than 1 or more than 6).
std::unique_ptr<PlanKind> kindFromSpec(std::string_view spec, std::string_view name);

// The first hexDigits (1..8) hexadecimal digits of the MD5 digest of the text's GBK bytes, read
// as a number. Texts that have no GBK form are digested as they are.
int64_t digestPrefixValue(std::string_view text, int hexDigits);

}  // namespace k3
