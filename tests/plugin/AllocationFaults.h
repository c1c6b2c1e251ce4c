// Makes one allocation of the test program fail on purpose, so that the
// plug-in's code can be driven through every allocation failure of a run.
#pragma once

#include "plugin/channel/HostParamBlock.h"

// The nth allocation from now (1 for the next) throws std::bad_alloc; the
// ones after it succeed again. 0 fails none.
void FailAllocation(long nNth);
// True when the allocation asked for has failed since FailAllocation.
bool AllocationFailed();
// The allocations made since FailAllocation.
long AllocationCount();

// Lets the host behind the block answer without failing allocations of its
// own (and without counting them), so that only the plug-in's code is
// driven through the failures. One block at a time.
void ShieldHostFromAllocationFaults(HostParamBlock* pBlock);
