// Test doubles of the window side: a main view and a splash that record what is done to them,
// a draw service that answers from a script, and one log that keeps the order of it all.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draws/draw_service.h"
#include "plan/plan_view.h"
#include "shell/main_view.h"
#include "shell/splash.h"
#include "updater/process_starter.h"
#include "updater/updater_files.h"

namespace k3::testing {

// Entries such as "period:当前期号：045" or "row:045 1,2,3", in the order they happened.
using EventLog = std::vector<std::string>;

struct ShownLink {
    std::string caption;
    std::string target;
    int left = 0;
    int top = 0;
};

class RecordingMainView final : public MainView {
public:
    explicit RecordingMainView(EventLog* log = nullptr) : m_log(log) {}

    void setDrawTimeText(std::string_view text) override {
        drawTime = text;
        record("time:" + drawTime);
    }
    void setCurrentPeriodText(std::string_view text) override {
        currentPeriod = text;
        record("period:" + currentPeriod);
    }
    void setDrawNumberText(int position, std::string_view text) override { numbers[position] = text; }
    void insertHistoryRowAtTop(std::string_view period, std::string_view numbersText) override {
        rows.emplace_front(std::string(period), std::string(numbersText));
        record("row:" + std::string(period) + " " + std::string(numbersText));
    }
    void clearHistoryRows() override { rows.clear(); }
    void setCountdownInterval(int milliseconds) override { countdownInterval = milliseconds; }
    std::string formulaPeriodsText() const override { return formulaPeriods; }
    std::string betCountText() const override { return betCount; }
    void setBetCountText(std::string_view text) override { betCount = text; }
    LinkTemplateGeometry linkTemplateGeometry() const override { return {6, 674, 96}; }
    void addLink(std::string_view caption, std::string_view target, int left, int top) override {
        links.push_back({std::string(caption), std::string(target), left, top});
    }
    void openHtmlPage(std::string_view address) override {
        page = address;
        record("page:" + page);
    }

    // The five number labels left to right, joined by spaces.
    std::string numberLabels() const {
        std::string joined;
        for (int position = 1; position <= 5; ++position) {
            const auto found = numbers.find(position);
            joined += (position > 1 ? " " : "") + (found == numbers.end() ? std::string("?") : found->second);
        }
        return joined;
    }

    std::string drawTime;
    std::string currentPeriod;
    std::map<int, std::string> numbers;
    std::deque<std::pair<std::string, std::string>> rows;  // top row first
    int countdownInterval = -1;
    std::string formulaPeriods = "3";
    std::string betCount = "25";
    std::vector<ShownLink> links;
    std::string page;

private:
    void record(const std::string& entry) {
        if (m_log != nullptr) {
            m_log->push_back(entry);
        }
    }

    EventLog* m_log;
};

// A plan box that logs each rewrite.
class LoggingPlanView final : public PlanView {
public:
    explicit LoggingPlanView(EventLog& log) : m_log(log) {}
    void replaceText(std::string_view text) override {
        this->text = text;
        m_log.push_back("planbox");
    }
    void moveCaretToEnd() override {}
    void processPendingEvents() override {}

    std::string text;

private:
    EventLog& m_log;
};

class FakeSplash final : public Splash {
public:
    explicit FakeSplash(EventLog* log = nullptr) : m_log(log) {}
    bool show(std::string_view message) override {
        if (open) {
            return false;
        }
        open = true;
        this->message = message;
        return true;
    }
    bool close() override {
        if (!open) {
            return false;
        }
        open = false;
        if (m_log != nullptr) {
            m_log->push_back("splash closed");
        }
        return true;
    }

    bool open = false;
    std::string message;

private:
    EventLog* m_log;
};

// Answers each call from what the test set up and counts the calls.
class ScriptedDrawService final : public DrawService {
public:
    std::string probeNewestPeriod() override {
        ++probes;
        return probeText;
    }
    bool newestDraw(std::vector<std::string>& fields) override {
        ++newestCalls;
        if (onNewestDraw) {
            onNewestDraw();
        }
        if (!newestSucceeds) {
            return false;
        }
        fields = newestFields;
        return true;
    }
    bool selectDraw(int32_t count, DrawTable& table) override {
        requestedCounts.push_back(count);
        if (!selectSucceeds) {
            error = "获取最新开奖数据失败!服务器访问失败! 错误代码：9999";
            return false;
        }
        table = history;
        return true;
    }
    std::string lastError() const override { return error; }

    std::string probeText;
    bool newestSucceeds = true;
    std::vector<std::string> newestFields;
    bool selectSucceeds = true;
    DrawTable history;
    std::string error;
    // Runs inside the latest-draw call, as the window's messages would during a real request.
    std::function<void()> onNewestDraw;

    int probes = 0;
    int newestCalls = 0;
    std::vector<int32_t> requestedCounts;
};

// Files of the self-update kept in memory.
class MemoryUpdaterFiles final : public UpdaterFiles {
public:
    bool exists(const std::string& path) override { return files.count(path) > 0; }
    bool remove(const std::string& path) override { return files.erase(path) > 0; }
    bool writeExecutable(const std::string& path, std::string_view bytes) override {
        files[path] = bytes;
        return true;
    }

    std::map<std::string, std::string> files;
};

class RecordingProcessStarter final : public ProcessStarter {
public:
    std::optional<int> startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments) override {
        started.push_back(program);
        lastArguments = arguments;
        return 4242;
    }

    std::vector<std::string> started;
    std::vector<std::string> lastArguments;
};

}  // namespace k3::testing
