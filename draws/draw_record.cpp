#include "draws/draw_record.h"

#include "platform/text.h"

namespace k3 {
namespace {

std::string fieldAt(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

}  // namespace

DrawStatus fromNewestFields(const std::vector<std::string>& fields) {
    DrawStatus status;
    status.last.extra = fieldAt(fields, 0);
    status.last.period = fieldAt(fields, 1);
    status.last.drawTime = fieldAt(fields, 2);
    status.last.numbers = fieldAt(fields, 3);
    status.last.seed = textToInt(fieldAt(fields, 4));
    status.next.extra = fieldAt(fields, 5);
    status.next.period = fieldAt(fields, 6);
    status.next.drawTime = fieldAt(fields, 7);
    return status;
}

DrawRecord fromTableRow(const std::vector<std::string>& row) {
    DrawRecord record;
    record.extra = fieldAt(row, 0);
    record.period = fieldAt(row, 1);
    record.drawTime = fieldAt(row, 2);
    record.numbers = fieldAt(row, 3);
    record.seed = textToInt(fieldAt(row, 4));
    return record;
}

}  // namespace k3
