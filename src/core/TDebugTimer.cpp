#include "core/TDebugTimer.h"

#include <cstdio>
#include <exception>

namespace zanmel {

TDebugTimer::TDebugTimer(MillisecondClock& clock, FileAccess& files, std::string logPath)
    : clock_(clock), files_(files), logPath_(std::move(logPath)) {}

TDebugTimer::~TDebugTimer() {
    try {
        WriteLog();
    } catch (const std::exception& error) {
        if (reporter_) {
            try {
                reporter_(error.what());
            } catch (...) {
            }
        }
    } catch (...) {
    }
}

void TDebugTimer::BeginStage() {
    openStages_.push_back(clock_.Now());
}

void TDebugTimer::EndStage(std::string_view text) {
    if (openStages_.empty()) return;
    // Unsigned 32-bit difference: correct across the clock's wrap-around after 49.7 days.
    std::uint32_t elapsed = clock_.Now() - openStages_.back();
    lines_.push_back(FormatLine(openStages_.size(), elapsed, text));
    openStages_.pop_back();
}

void TDebugTimer::AbandonStage() {
    if (!openStages_.empty()) openStages_.pop_back();
}

void TDebugTimer::AbandonStagesAbove(std::size_t depth) {
    if (openStages_.size() > depth) openStages_.resize(depth);
}

std::string TDebugTimer::LogBytes() const {
    std::string bytes;
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string TDebugTimer::FormatLine(std::size_t depth, std::uint32_t elapsed, std::string_view text) {
    char number[32];
    std::snprintf(number, sizeof number, "%8u ms:", static_cast<unsigned>(elapsed));
    std::string line(depth, '\t');
    line += number;
    line += text;
    return line;
}

}  // namespace zanmel
