// The client's share of a named call without the network: the request built, escaped and
// encrypted; the reply of a 50-row history decrypted, parsed and laid out as a table.
#include "json/json_object.h"
#include "service/draw_table.h"
#include "service/request_envelope.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace k3 {
namespace {

constexpr int kRows = 50;
constexpr int32_t kRequestNumber = 3456;

// Rows as the service sends them: extra, period, draw time, numbers, seed.
std::string historyRows() {
    std::vector<std::string> rows;
    for (int i = 0; i < kRows; ++i) {
        const std::string period = "20170502" + std::to_string(100 - i).substr(1);
        rows.push_back(std::to_string(i % 7) + "|+|" + period + "|+|2017-05-02 19:28:00|+|" +
                       std::to_string(i % 6 + 1) + "," + std::to_string((i + 2) % 6 + 1) + ",6|+|" +
                       std::to_string(1000 + i));
    }
    std::string text;
    for (const std::string& row : rows) {
        text += row + "\r\n";
    }
    return text;
}

std::string innerJson() {
    JsonObject inner;
    inner.createEmpty();
    inner.put("data", historyRows());
    return inner.toText();
}

void sealRequest(benchmark::State& state) {
    const ServiceRequest request{kRequestNumber, "select_draw", kServiceAppId, {"access-token", "50"}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(callBody(sealRequest(request, "q7Wm2Rk9")));
    }
}
BENCHMARK(sealRequest);

// select_draw: the rows stay plain inside the reply and are cut out of the raw text.
void readHistoryReply(benchmark::State& state) {
    const std::string replyText = buildReplyJson("0", "", innerJson());
    for (auto _ : state) {
        JsonReply reply;
        reply.parse(replyText);
        benchmark::DoNotOptimize(reply.errorCode());
        std::string text = replyText;
        extractInnerData(text);
        DrawTable table;
        parseDrawTable(text, table);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * replyText.size()));
}
BENCHMARK(readHistoryReply);

// The same history sent as encrypted data: both RC4 layers, then the JSON and the table.
void decryptHistoryData(benchmark::State& state) {
    const std::string replyText = buildReplyJson("0", "", encryptReplyData(innerJson(), kRequestNumber));
    for (auto _ : state) {
        JsonReply reply;
        reply.parse(replyText);
        reply.parse(decryptReplyData(reply.get("data"), kRequestNumber));
        DrawTable table;
        parseDrawTable(reply.get("data"), table);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * replyText.size()));
}
BENCHMARK(decryptHistoryData);

}  // namespace
}  // namespace k3

BENCHMARK_MAIN();
