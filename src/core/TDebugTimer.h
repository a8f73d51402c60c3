#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileAccess.h"

namespace zanmel {

// The start-up timing log. Stages nest; ending a stage records one line with a tab per open stage (the ending
// one included), the elapsed milliseconds formatted by "%8d ms:" and the stage text. The lines stay in memory
// and are written to Debug.log once, when the object is destroyed.
class TDebugTimer {
public:
    // logPath: the program folder's Debug.log. clock and files must outlive this object.
    TDebugTimer(MillisecondClock& clock, FileAccess& files, std::string logPath);
    // Writes Debug.log. A failed write must not escape a destructor: it is passed to the failure reporter
    // (when one is set) and otherwise dropped.
    ~TDebugTimer();
    TDebugTimer(const TDebugTimer&) = delete;
    TDebugTimer& operator=(const TDebugTimer&) = delete;

    void BeginStage();
    // Records the innermost open stage and closes it; does nothing when no stage is open.
    void EndStage(std::string_view text);
    // An empty stage: a line that marks how far the enclosing stage has come.
    void Mark(std::string_view text) {
        BeginStage();
        EndStage(text);
    }
    // Runs task as a stage; a task that throws leaves its stage open, as a stage left open writes no line.
    template <class Task>
    void Stage(std::string_view text, Task&& task) {
        BeginStage();
        task();
        EndStage(text);
    }
    // Closes the innermost open stage without a line, as a stage left open writes none; for a step that an
    // error cut short, so that later stages keep their depth.
    void AbandonStage();
    // Abandons every stage opened after the first depth ones.
    void AbandonStagesAbove(std::size_t depth);
    // Abandons, when it goes out of scope, the stages opened since it was made: the rest of a task that an error
    // cut short writes no lines, and later stages keep their depth. After a normal end none is open.
    class StageScope {
    public:
        explicit StageScope(TDebugTimer& timer) : timer_(timer), depth_(timer.OpenStages()) {}
        ~StageScope() { timer_.AbandonStagesAbove(depth_); }
        std::size_t Depth() const { return depth_; }  // the stages open when it was made
        StageScope(const StageScope&) = delete;
        StageScope& operator=(const StageScope&) = delete;

    private:
        TDebugTimer& timer_;
        std::size_t depth_;
    };

    const std::vector<std::string>& Lines() const { return lines_; }
    std::size_t OpenStages() const { return openStages_.size(); }
    // The Debug.log contents: every line followed by CR LF.
    std::string LogBytes() const;
    const std::string& LogPath() const { return logPath_; }
    // Writes Debug.log now, as destruction will again; for an end of the process that may not reach it.
    // Raises ZanmelError naming the file when it cannot be written.
    void WriteLog() { files_.WriteFile(logPath_, LogBytes()); }

    // Receives the error text when Debug.log cannot be written at destruction.
    void SetFailureReporter(std::function<void(const std::string&)> reporter) { reporter_ = std::move(reporter); }

    // One log line: depth tabs, elapsed right-aligned in eight columns, " ms:", text.
    static std::string FormatLine(std::size_t depth, std::uint32_t elapsed, std::string_view text);

private:
    MillisecondClock& clock_;
    FileAccess& files_;
    std::string logPath_;
    std::vector<std::uint32_t> openStages_;
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> reporter_;
};

}  // namespace zanmel
