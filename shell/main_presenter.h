// Writes draw values into the main window and reads the two user inputs the plan depends on,
// so that the draw cycle and the start-up need not know which control shows what.
#pragma once

#include <cstdint>
#include <string_view>

#include "shell/main_view.h"

namespace k3 {

class MainPresenter {
public:
    // The presenter exists before the window; the window attaches itself when it is created.
    void attachView(MainView* view) { m_view = view; }
    bool hasView() const { return m_view != nullptr; }

    void showDrawTime(std::string_view text);
    // Inserts the row at the top of the history list.
    void addHistoryRow(std::string_view period, std::string_view numbers);
    // The period label, then one number label per character of numbers (a non-digit or a missing
    // character shows 0), so "1,3,5" writes 1, 0, 3, 0, 5.
    void showCurrentDraw(std::string_view periodText, std::string_view numbers);
    // Stops the countdown timer, or runs it every 100 milliseconds.
    void pauseTimers(bool paused);
    int32_t formulaPeriodsChoice() const;
    int32_t betCountInput() const;
    void setBetCountInput(int32_t count);
    // The HTML view opens the page at address.
    void showPage(std::string_view address);

private:
    MainView& view() const;

    MainView* m_view = nullptr;
};

}  // namespace k3
