#include "shell/main_presenter.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core_fakes.h"

namespace k3 {
namespace {

using testing::RecordingMainView;

struct CurrentDrawCase {
    const char* numbers;
    const char* labels;
};

void PrintTo(const CurrentDrawCase& c, std::ostream* out) { *out << "\"" << c.numbers << "\""; }

class ShowCurrentDrawTest : public ::testing::TestWithParam<CurrentDrawCase> {};

TEST_P(ShowCurrentDrawTest, OneDigitPerLabelAndZeroForTheRest) {
    RecordingMainView view;
    MainPresenter presenter;
    presenter.attachView(&view);
    presenter.showCurrentDraw("当前期号：20170204053", GetParam().numbers);
    EXPECT_EQ(view.currentPeriod, "当前期号：20170204053");
    EXPECT_EQ(view.numberLabels(), GetParam().labels);
}

INSTANTIATE_TEST_SUITE_P(Numbers, ShowCurrentDrawTest,
                         ::testing::Values(CurrentDrawCase{"1,3,5", "1 0 3 0 5"},
                                           CurrentDrawCase{"", "0 0 0 0 0"},
                                           CurrentDrawCase{"6,6", "6 0 6 0 0"},
                                           CurrentDrawCase{"1,2,3,4,5", "1 0 2 0 3"},
                                           CurrentDrawCase{"a-9b7", "0 0 9 0 7"}));

TEST(MainPresenterTest, RowsGoInAtTheTop) {
    RecordingMainView view;
    MainPresenter presenter;
    presenter.attachView(&view);
    presenter.addHistoryRow("A", "1,1,1");
    presenter.addHistoryRow("B", "2,2,2");
    presenter.addHistoryRow("C", "3,3,3");
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0].first, "C");
    EXPECT_EQ(view.rows[1].first, "B");
    EXPECT_EQ(view.rows[2].first, "A");
    EXPECT_EQ(view.rows[2].second, "1,1,1");
}

TEST(MainPresenterTest, TimerRunsEveryHundredMillisecondsOrStops) {
    RecordingMainView view;
    MainPresenter presenter;
    presenter.attachView(&view);
    presenter.pauseTimers(false);
    EXPECT_EQ(view.countdownInterval, 100);
    presenter.pauseTimers(true);
    EXPECT_EQ(view.countdownInterval, 0);
}

TEST(MainPresenterTest, ReadsAndWritesTheUserInputs) {
    RecordingMainView view;
    MainPresenter presenter;
    presenter.attachView(&view);
    view.formulaPeriods = "2";
    EXPECT_EQ(presenter.formulaPeriodsChoice(), 2);
    view.betCount = "";
    EXPECT_EQ(presenter.betCountInput(), 0);
    view.betCount = "３０注";
    EXPECT_EQ(presenter.betCountInput(), 30);
    presenter.setBetCountInput(17);
    EXPECT_EQ(view.betCount, "17");
    presenter.showDrawTime("01：02");
    EXPECT_EQ(view.drawTime, "01：02");
    presenter.showPage("http://127.0.0.1:19200/advert");
    EXPECT_EQ(view.page, "http://127.0.0.1:19200/advert");
}

}  // namespace
}  // namespace k3
