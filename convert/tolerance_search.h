#pragma once

#include <cstdint>
#include <functional>

// The searches for a colour tolerance that brings a picture within its
// colour count. A pass with tolerance T merges colours closer than T (in
// squared levels); larger tolerances give fewer colours, though not strictly:
// the passes are greedy, so each search is defined by the tolerances it
// tries, in order.
namespace convert {

// A pass: the colour count it gives, or −1 when it needs too many colours.
using CountingPass = std::function<int(int64_t tolerance)>;

// Bitmaps: passes for T = highest, highest − 1, ... down to 1, stopping at the
// first that fails. Returns the tolerance of the largest count (on equal
// counts the larger tolerance), or −1 when even `highest` fails.
int64_t DescendingToleranceSearch(int64_t highest, const CountingPass& pass);

// Tiles and sub-palettes: a bisection between `failing` (known to fail) and
// `fitting` (taken to fit), trying `first` first; a failing pass raises the
// low end, a fitting one lowers the high end, and the next try is the
// midpoint (integer halving), kept strictly inside the bracket. Ends when the
// ends are adjacent and returns the high end, for the final pass.
int64_t BisectTolerance(int64_t failing, int64_t fitting, int64_t first,
                        const std::function<bool(int64_t tolerance)>& fits);

}  // namespace convert
