// The one holder of every plan the program shows: adds plans from specs, feeds every draw to
// them (verifying the open prediction and making the next one) and formats their text.
#pragma once

#include "plan/plan_kind.h"
#include "plan/plan_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class Clock;

class PlanManager {
public:
    // The clock gives the milliseconds since start that vary the redraws of a prediction made
    // against numbers already known.
    explicit PlanManager(Clock& clock);

    // Settings and records. Indexes are 1-based.
    void reset();
    void clearAllRows();
    void setClearAfterLosses(int32_t flag) { m_clearAfterLosses = flag; }
    void setHitRate(int32_t percent) { m_hitRate = percent; }
    // byName: only the first record named name; otherwise every record (name ignored).
    void setFormulaPeriods(int32_t periods, std::string_view name, bool byName);
    void setTitle(std::string_view title);
    void setMaxRows(int32_t rows) { m_maxRows = rows; }
    void setPeriodsPerDay(int32_t periods) { m_periodsPerDay = periods; }

    // Appends a record holding a clone of kind, its derived fields filled by initRecord.
    void appendRecord(const PlanKind& kind);
    // Name, display mode, formula periods and seed offset from the record's kind.
    static void initRecord(PlanRecord& record);
    // True when the plan spec names a known bet type and a record called name was added.
    bool addPlan(std::string_view spec, std::string_view name, int32_t formulaPeriods);
    // 1 when the first record called name was removed, 0 when there is none.
    int32_t removePlan(std::string_view name);

    // Draw processing. False (nothing changes) when numbers, or a non-empty nextNumbers, is not
    // three comma-separated parts. Seed 0 changes nothing. nextNumbers are the numbers of the
    // following period when they are already known (history replay), empty for a live draw.
    bool processDraw(std::string_view period, std::string_view numbers, int32_t seed,
                     std::string_view nextNumbers);
    void verifyAll(std::string_view period, std::string_view numbers,
                   const std::vector<std::string>& numberList, int32_t seed,
                   const std::vector<std::string>& nextList);
    void appendPrediction(PlanRecord& record, std::string_view period, int32_t seed,
                          const std::vector<std::string>& nextList);
    // True when needed rows in state are found among the latest span rows (newest first);
    // with consecutive, the first row in another state ends the search.
    static bool hasStreak(const PlanRecord& record, RowState state, int32_t span, int32_t needed,
                          bool consecutive);
    // out = numbers split at ","; true when that gives exactly three parts.
    static bool splitNumbers(std::string_view numbers, std::vector<std::string>& out);
    std::string periodLabel(std::string_view period, int32_t offset) const;

    // Plan text: one line per row, oldest first, "\r\n" line ends.
    static std::string formatPlan(const PlanRecord& record, std::string_view title);
    std::string planTextAt(int32_t index) const;
    std::string planText(std::string_view name) const;

    // Lookup and copies. Out-of-range indexes give empty results.
    int32_t findPlan(std::string_view name) const;
    std::string planNameAt(int32_t index) const;
    std::string title() const { return m_title; }
    int32_t planCount() const { return static_cast<int32_t>(m_records.size()); }
    void copyPlanAt(int32_t index, PlanRecord& out) const;
    bool copyPlan(std::string_view name, PlanRecord& out) const;
    std::string lastPredictionAt(int32_t index) const;
    std::string lastPrediction(std::string_view name) const;

    const std::vector<PlanRecord>& records() const { return m_records; }
    int32_t seedBase() const { return m_seedBase; }
    int32_t maxRows() const { return m_maxRows; }
    int32_t hitRate() const { return m_hitRate; }
    int32_t clearAfterLosses() const { return m_clearAfterLosses; }
    int32_t periodsPerDay() const { return m_periodsPerDay; }

private:
    const PlanRecord* recordAt(int32_t index) const;
    void verifyRecord(PlanRecord& record, std::string_view period, std::string_view numbers,
                      const std::vector<std::string>& numberList, int32_t seed,
                      const std::vector<std::string>& nextList);
    bool wantsHit(const PlanRecord& record);
    std::string predictAgainst(const PlanRecord& record, int32_t seed,
                               const std::vector<std::string>& nextList, bool wantHit);

    Clock* m_clock;
    std::string m_title;
    int32_t m_seedBase = 0;
    std::vector<PlanRecord> m_records;
    int32_t m_maxRows = 0;
    int32_t m_hitRate = 80;
    int32_t m_clearAfterLosses = 1;
    int32_t m_periodsPerDay = 82;
};

}  // namespace k3
