#pragma once
// The simulator's own memory, for the soak's check that a long game does not grow.

// The process's resident memory now and at its peak, in KB (0 where the system cannot say).
struct ProcessMemory {
  long nResidentKB = 0;
  long nPeakKB = 0;
};

ProcessMemory MemoryNow();
