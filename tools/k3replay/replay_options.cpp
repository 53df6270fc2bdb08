// Options take their value as the next argument or after "="; "--" ends the options.
#include "tools/k3replay/replay_options.h"

#include <charconv>
#include <limits>

namespace k3 {

const std::string_view kReplayUsage =
    "Usage: k3replay [--plan SPEC] [--periods N] [--live K] [--ticks START,STEP] [--honest] FILE\n"
    "\n"
    "Replays a saved draw history through the plan engine and prints the plan box text.\n"
    "FILE holds one draw a line, newest first: extra|+|period|+|drawTime|+|numbers|+|seed.\n"
    "Use - to read standard input.\n"
    "\n"
    "  --plan SPEC         plan spec, also the plan's name (default 独胆定1码)\n"
    "  --periods N         formula periods, 1 to 3 (default 3)\n"
    "  --live K            the K newest draws arrive as live draws after the start-up (default 0)\n"
    "  --ticks START,STEP  fake tick clock: START at its first read, STEP more at each later read\n"
    "  --honest            replay the history without knowing the next draw's numbers\n"
    "  --help              show this text\n";

namespace {

// Plain decimal digits within [low, high]; anything else is no number.
std::optional<uint64_t> readNumber(std::string_view text, uint64_t low, uint64_t high) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<TickSetting> readTicks(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    constexpr uint64_t kMaxTick = std::numeric_limits<uint32_t>::max();
    const auto start = readNumber(text.substr(0, comma), 0, kMaxTick);
    const auto step = readNumber(text.substr(comma + 1), 0, kMaxTick);
    if (!start || !step) {
        return std::nullopt;
    }
    return TickSetting{uint32_t(*start), uint32_t(*step)};
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    ParsedArguments read() {
        bool optionsEnded = false;
        for (m_next = 0; m_next < m_arguments.size();) {
            const std::string& argument = m_arguments[m_next++];
            const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
            if (argument == "--" && !optionsEnded) {
                optionsEnded = true;
            } else if (isOption) {
                readOption(argument);
            } else {
                readFile(argument);
            }
            if (!m_error.empty()) {
                return {std::nullopt, m_error};
            }
            if (m_options.help) {
                return {m_options, {}};
            }
        }
        if (!m_fileSeen) {
            return {std::nullopt, "no history file given"};
        }
        return {m_options, {}};
    }

private:
    void readOption(const std::string& argument) {
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) {
            inlineValue = argument.substr(equals + 1);
        }
        if (name == "--help" || name == "--honest") {
            if (inlineValue) {
                m_error = "option " + name + " takes no value";
            } else if (name == "--help") {
                m_options.help = true;
            } else {
                m_options.honest = true;
            }
            return;
        }
        if (name != "--plan" && name != "--periods" && name != "--live" && name != "--ticks") {
            m_error = "unknown option: " + argument;
            return;
        }
        const auto value = inlineValue ? inlineValue : takeValue();
        if (!value) {
            m_error = "option " + name + " needs a value";
            return;
        }
        applyValue(name, *value);
    }

    std::optional<std::string> takeValue() {
        if (m_next >= m_arguments.size()) {
            return std::nullopt;
        }
        return m_arguments[m_next++];
    }

    void applyValue(const std::string& name, const std::string& value) {
        if (name == "--plan") {
            m_options.spec = value;
        } else if (name == "--periods") {
            const auto periods = readNumber(value, 1, 3);
            if (!periods) {
                m_error = "bad number for --periods (1 to 3): " + value;
                return;
            }
            m_options.periods = int32_t(*periods);
        } else if (name == "--live") {
            const auto live = readNumber(value, 0, std::numeric_limits<uint32_t>::max());
            if (!live) {
                m_error = "bad number for --live: " + value;
                return;
            }
            m_options.live = std::size_t(*live);
        } else {
            m_options.ticks = readTicks(value);
            if (!m_options.ticks) {
                m_error = "bad number for --ticks (START,STEP): " + value;
            }
        }
    }

    void readFile(const std::string& argument) {
        if (m_fileSeen) {
            m_error = "more than one history file given: " + argument;
            return;
        }
        m_fileSeen = true;
        m_options.file = argument;
    }

    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    ReplayOptions m_options;
    bool m_fileSeen = false;
    std::string m_error;
};

}  // namespace

ParsedArguments parseReplayArguments(const std::vector<std::string>& arguments) {
    return ArgumentReader(arguments).read();
}

}  // namespace k3
