// k3client's command line and its commands: the service protocol run by hand, through the same
// ServiceClient the window uses.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace k3 {

class ServiceClient;

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

enum class ClientAction { Init, Newest, History, Probe, Date };

struct ClientCommand {
    std::string initUrl;  // the primary init endpoint unless --init gives one
    ClientAction action = ClientAction::Init;
    int32_t historyCount = 0;
    std::string date;
};

// Reads "[--init URL] COMMAND [ARG]"; nullopt for anything else.
std::optional<ClientCommand> parseClientArguments(const std::vector<std::string>& arguments,
                                                  const std::string& defaultInitUrl);

// Runs init and then the command; the exit status (0, or kExitFailure with the reason on err).
int runClientCommand(const ClientCommand& command, ServiceClient& client, std::ostream& out,
                     std::ostream& err);

extern const char* const kClientUsage;

}  // namespace k3
