// Each command prints its result one value a line, so scripts can read it.
#include "tools/k3client/client_command.h"

#include "platform/text.h"
#include "service/request_envelope.h"
#include "service/service_client.h"

#include <ostream>

namespace k3 {

const char* const kClientUsage =
    "usage: k3client [--init URL] COMMAND\n"
    "commands:\n"
    "  init          the start-up data\n"
    "  newest        the fields of the latest draw\n"
    "  history N     the N latest draws, one a line\n"
    "  probe         the newest-period probe text\n"
    "  date Y-M-D    the draws of one day\n";

namespace {

bool isCount(const std::string& text) {
    return !text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string::npos &&
           textToInt(text) > 0;
}

void printInitInfo(const InitInfo& info, std::ostream& out) {
    out << "userurl: " << info.userurl << '\n'
        << "drawurl: " << info.drawurl << '\n'
        << "newphase: " << info.newphase << '\n'
        << "advert1: " << info.advert1 << '\n'
        << "advert2: " << info.advert2 << '\n'
        << "version: " << info.version << '\n'
        << "proupurl: " << info.proupurl << '\n';
    for (size_t i = 0; i < info.linkNames.size() && i < info.linkTargets.size(); ++i) {
        out << "link: " << info.linkNames[i] << ' ' << info.linkTargets[i] << '\n';
    }
    out << "seo: " << info.seo << '\n';
}

void printTable(const DrawTable& table, std::ostream& out) {
    for (const std::vector<std::string>& row : table) {
        out << joinText(row, "|+|") << '\n';
    }
}

// For the calls that set no last error: what the service (or the transport) answered.
std::string replyFailure(const ServiceClient& client) {
    const JsonReply reply = client.dataReplyCopy();
    return reply.message() + std::string(kErrorCodeText) + reply.errorCode();
}

int fail(std::ostream& err, const std::string& text) {
    err << text << '\n';
    return kExitFailure;
}

}  // namespace

std::optional<ClientCommand> parseClientArguments(const std::vector<std::string>& arguments,
                                                  const std::string& defaultInitUrl) {
    ClientCommand command;
    command.initUrl = defaultInitUrl;
    size_t next = 0;
    if (arguments.size() >= 2 && arguments[0] == "--init") {
        command.initUrl = arguments[1];
        next = 2;
    }
    if (next >= arguments.size() || command.initUrl.empty()) {
        return std::nullopt;
    }
    const std::string& name = arguments[next];
    const size_t rest = arguments.size() - next - 1;
    if (rest == 0 && (name == "init" || name == "newest" || name == "probe")) {
        command.action = name == "init"     ? ClientAction::Init
                         : name == "newest" ? ClientAction::Newest
                                            : ClientAction::Probe;
        return command;
    }
    if (rest == 1 && name == "history" && isCount(arguments[next + 1])) {
        command.action = ClientAction::History;
        command.historyCount = textToInt(arguments[next + 1]);
        return command;
    }
    if (rest == 1 && name == "date") {
        command.action = ClientAction::Date;
        command.date = arguments[next + 1];
        return command;
    }
    return std::nullopt;
}

int runClientCommand(const ClientCommand& command, ServiceClient& client, std::ostream& out,
                     std::ostream& err) {
    if (!client.init(command.initUrl, kServiceAppId)) {
        return fail(err, client.lastError());
    }
    switch (command.action) {
        case ClientAction::Init:
            printInitInfo(client.initInfo(), out);
            return 0;
        case ClientAction::Newest: {
            std::vector<std::string> fields;
            if (!client.newestDraw(fields)) {
                return fail(err, replyFailure(client));
            }
            for (const std::string& field : fields) {
                out << field << '\n';
            }
            return 0;
        }
        case ClientAction::History:
        case ClientAction::Date: {
            DrawTable table;
            const bool ok = command.action == ClientAction::History
                                ? client.selectDraw(command.historyCount, table)
                                : client.selectDrawByDate(command.date, table);
            if (!ok) {
                return fail(err, client.lastError());
            }
            printTable(table, out);
            return 0;
        }
        case ClientAction::Probe: {
            const std::string text = client.probeNewestPeriod();
            if (text.empty()) {
                return fail(err, client.lastError());
            }
            out << text << '\n';
            return 0;
        }
    }
    return kExitFailure;
}

}  // namespace k3
