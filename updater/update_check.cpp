// The start-up update check.
#include "updater/update_check.h"

#include <cctype>
#include <charconv>

namespace k3 {

float versionNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) {
        ++start;
    }
    text.remove_prefix(start);
    // from_chars would also read "inf" and "nan"; a version has to start like a number.
    const std::size_t first = text.starts_with('-') ? 1 : 0;
    if (first >= text.size() ||
        !(std::isdigit(static_cast<unsigned char>(text[first])) || text[first] == '.')) {
        return 0.0f;
    }
    float value = 0.0f;
    const std::from_chars_result read =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return read.ec == std::errc() ? value : 0.0f;
}

bool isNewerVersion(std::string_view newVersion, std::string_view currentVersion) {
    return versionNumber(newVersion) > versionNumber(currentVersion);
}

std::string updateQuestion(std::string_view productName, std::string_view newVersion) {
    std::string question(productName);
    question += "已经更新至";
    question += newVersion;
    question += "\r\n点击确定立即更新";
    return question;
}

UpdateOutcome checkUpdate(const UpdateContext& context, std::string_view newVersion,
                          std::string_view updateUrl) {
    if (!isNewerVersion(newVersion, context.version)) {
        return UpdateOutcome::UpToDate;
    }
    if (context.closeSplash) {
        context.closeSplash();
    }
    context.events.processPendingEvents();
    if (!context.messages.askOkCancel(updateQuestion(context.productName, newVersion))) {
        return UpdateOutcome::Refused;
    }
    // The user agreed to an update and the program is about to end: when no updater runs,
    // say so rather than vanish without a word.
    if (!runUpdater(context.updaterPath, context.updaterImage,
                    updaterArguments(context.productName, context.version, newVersion, updateUrl,
                                     context.programName),
                    context.files, context.processes)) {
        context.messages.showMessage(updaterNotStartedMessage + context.updaterPath);
    }
    return UpdateOutcome::Accepted;
}

}  // namespace k3
