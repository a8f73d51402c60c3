#include "platform/FileFaults.h"

namespace zanmel::platform {

namespace {

struct FaultState {
    bool armed = false;
    FileFaultPlan plan;
    int count = 0;
    bool failing = false;  // the planned fault has struck and its retries are still failing
    FileOperation failedKind = FileOperation::Write;
};

FaultState& State() {
    static FaultState state;
    return state;
}

}  // namespace

void SetFileFaultPlan(const FileFaultPlan& plan) {
    State() = FaultState{true, plan};
}

int ClearFileFaultPlan() {
    const int count = State().count;
    State() = FaultState{};
    return count;
}

DWORD CheckFileOperation(FileOperation operation) {
    FaultState& state = State();
    if (!state.armed) return ERROR_SUCCESS;
    ++state.count;
    if (state.plan.at == 0 || state.count < state.plan.at) return ERROR_SUCCESS;
    if (state.count == state.plan.at) {
        if (state.plan.error == ERROR_SUCCESS) TerminateProcess(GetCurrentProcess(), 3);
        state.failing = true;
        state.failedKind = operation;
        return state.plan.error;
    }
    if (state.plan.lasting || (state.failing && operation == state.failedKind)) return state.plan.error;
    state.failing = false;
    return ERROR_SUCCESS;
}

}  // namespace zanmel::platform
