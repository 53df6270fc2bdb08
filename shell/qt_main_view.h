// The main window's controls as the presenter, the draw cycle and the start-up write them.
#pragma once

#include "shell/main_view.h"

namespace k3 {

class MainWindow;

class QtMainView final : public MainView {
public:
    explicit QtMainView(MainWindow& window) : m_window(window) {}

    void setDrawTimeText(std::string_view text) override;
    void setCurrentPeriodText(std::string_view text) override;
    void setDrawNumberText(int position, std::string_view text) override;
    void insertHistoryRowAtTop(std::string_view period, std::string_view numbers) override;
    void clearHistoryRows() override;
    void setCountdownInterval(int milliseconds) override;
    std::string formulaPeriodsText() const override;
    std::string betCountText() const override;
    void setBetCountText(std::string_view text) override;
    LinkTemplateGeometry linkTemplateGeometry() const override;
    void addLink(std::string_view caption, std::string_view target, int left, int top) override;
    void openHtmlPage(std::string_view address) override;

private:
    MainWindow& m_window;
};

}  // namespace k3
