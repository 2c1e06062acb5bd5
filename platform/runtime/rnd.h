// The runtime's pseudo-random generator. It is never seeded: every process starts from the same
// state, so a host sees the same sequence in every run. The state is shared by the whole process.
#pragma once

namespace runtime {

// The next fraction r of the sequence, 0 <= r < 1, a multiple of 2^-24.
float Rnd();

// Puts the generator back into its starting state.
void ResetRndForTesting();

}  // namespace runtime
