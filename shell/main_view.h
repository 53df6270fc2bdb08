// The main window as the window-free shell sees it: the controls the presenter, the draw cycle
// and the start-up write or read. The Qt window implements it; tests record the calls.
#pragma once

#include <string>
#include <string_view>

namespace k3 {

// Where the hidden link template "超级链接框2" stands; the link bar is laid out from it.
struct LinkTemplateGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
};

class MainView {
public:
    virtual ~MainView() = default;

    // "透明标签_开奖时间": the countdown or "正在开奖……".
    virtual void setDrawTimeText(std::string_view text) = 0;
    // "透明标签_当前期号".
    virtual void setCurrentPeriodText(std::string_view text) = 0;
    // "透明标签_开奖1" … "透明标签_开奖5"; position is 1 to 5.
    virtual void setDrawNumberText(int position, std::string_view text) = 0;
    // "超级列表框_历史开奖": a new row at the top, period in the first column, numbers in the second.
    virtual void insertHistoryRowAtTop(std::string_view period, std::string_view numbers) = 0;
    // "超级列表框_历史开奖": removes every row.
    virtual void clearHistoryRows() = 0;
    // "时钟_剩余开奖时间": 0 stops the timer, any other value is its period in milliseconds.
    virtual void setCountdownInterval(int milliseconds) = 0;
    // "组合框_公式期数": the text of the item shown.
    virtual std::string formulaPeriodsText() const = 0;
    // "编辑框_注数".
    virtual std::string betCountText() const = 0;
    virtual void setBetCountText(std::string_view text) = 0;
    // "超级链接框2".
    virtual LinkTemplateGeometry linkTemplateGeometry() const = 0;
    // A visible copy of the link template at (left, top) with the caption; clicking it opens
    // target through the desktop's URL opener.
    virtual void addLink(std::string_view caption, std::string_view target, int left, int top) = 0;
    // "超文本浏览框1": starts loading the page at address.
    virtual void openHtmlPage(std::string_view address) = 0;
};

}  // namespace k3
