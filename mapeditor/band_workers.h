#pragma once

#include <functional>

// Work shared between the calling thread and a few threads kept waiting for
// it: the editor splits the composition of a frame into bands of rows, one
// per processor core, and waits for all of them before the frame is shown.
namespace mapeditor {

// How many parts a piece of work may be cut into on this machine: one per
// processor core, at most kMaxBandParts.
inline constexpr int kMaxBandParts = 8;
int AvailableBandParts();

// Runs part(0) … part(parts − 1), part 0 on the calling thread and the others
// on the waiting threads, and returns when every part has returned. Parts
// beyond what the machine has run on the calling thread, one after another.
// The parts must not throw.
void RunBandParts(int parts, const std::function<void(int)>& part);

}  // namespace mapeditor
