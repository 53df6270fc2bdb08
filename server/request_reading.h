// The request JSON of a call, from its escaped form, as the service accepts it.
#pragma once

#include "service/request_envelope.h"

#include <optional>
#include <string_view>

namespace k3 {

// Percent-decodes and reads the request; a "param" that is null or the empty text counts as no
// parameters. nullopt for anything else that is not a request.
std::optional<ServiceRequest> readCallRequest(std::string_view escaped);

}  // namespace k3
