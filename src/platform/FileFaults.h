#pragma once

#include <windows.h>

namespace zanmel::platform {

// The file operations of the atomic writer and the copies that a test can make fail.
enum class FileOperation { Write, Flush, Move, Delete };

// What a test asks for: at the at-th operation (counted from 1 since the plan was set) fail with error, or with
// error 0 end the process there, as a kill or a pulled stick would. The retries that follow a failed operation
// (operations of the same kind right after it) meet the same error; a lasting fault also fails every later
// operation (a drive that is gone). at 0 only counts.
struct FileFaultPlan {
    int at = 0;
    DWORD error = ERROR_SUCCESS;
    bool lasting = false;
};

// Arms the plan and sets the count to 0; nothing is counted or failed until a plan is set.
void SetFileFaultPlan(const FileFaultPlan& plan);
// Disarms the plan; returns the number of operations counted while it was set.
int ClearFileFaultPlan();

// Called by the file adapter before each operation: ERROR_SUCCESS to go on, or the error to fail it with.
DWORD CheckFileOperation(FileOperation operation);

}  // namespace zanmel::platform
