// k3client: the service protocol from the command line, for operators and for diagnosing a
// user's connection.
#include "tools/k3client/client_command.h"

#include "platform/clock.h"
#include "service/service_client.h"
#include "shell/init_endpoints.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::optional<k3::ClientCommand> command =
        k3::parseClientArguments(arguments, k3::primaryInitUrl());
    if (!command) {
        std::cerr << k3::kClientUsage;
        return k3::kExitUsage;
    }
    k3::SystemClock clock;
    k3::ServiceClient client(clock);
    return k3::runClientCommand(*command, client, std::cout, std::cerr);
}
