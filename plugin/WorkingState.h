// The plug-in's working state, which lives from start-up to shut-down.
#pragma once

// Sets every working-state variable to its initial value without freeing
// anything (the clipboard format number is kept).
void ResetWorkingState();

// Destroys and frees every working-state object, then resets. A memory
// exception raised on the way is reported; the reset happens in any case.
void ReleaseWorkingState();
