#include "shell/main_presenter.h"

#include <cassert>
#include <string>

#include "platform/text.h"

namespace k3 {
namespace {

constexpr int kCountdownPeriodMs = 100;
constexpr int kNumberLabels = 5;

}  // namespace

MainView& MainPresenter::view() const {
    assert(m_view != nullptr && "the main window attaches itself before anything is shown");
    return *m_view;
}

void MainPresenter::showDrawTime(std::string_view text) { view().setDrawTimeText(text); }

void MainPresenter::addHistoryRow(std::string_view period, std::string_view numbers) {
    view().insertHistoryRowAtTop(period, numbers);
}

void MainPresenter::showCurrentDraw(std::string_view periodText, std::string_view numbers) {
    view().setCurrentPeriodText(periodText);
    for (int position = 1; position <= kNumberLabels; ++position) {
        const std::size_t index = static_cast<std::size_t>(position - 1);
        const std::string_view character =
            index < numbers.size() ? numbers.substr(index, 1) : std::string_view();
        view().setDrawNumberText(position, std::to_string(textToInt(character)));
    }
}

void MainPresenter::pauseTimers(bool paused) { view().setCountdownInterval(paused ? 0 : kCountdownPeriodMs); }

int32_t MainPresenter::formulaPeriodsChoice() const { return textToInt(view().formulaPeriodsText()); }

int32_t MainPresenter::betCountInput() const { return textToInt(view().betCountText()); }

void MainPresenter::setBetCountInput(int32_t count) { view().setBetCountText(std::to_string(count)); }

void MainPresenter::showPage(std::string_view address) { view().openHtmlPage(address); }

}  // namespace k3
