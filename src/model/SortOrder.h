// Orders of items by their captions' sort keys, computed once per item so that sorting costs
// O(n log n) key comparisons instead of O(n^2) collator calls.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/ClipItem.h"

namespace velmora::model {

// The sort key of each item's caption, kept by the item: valid until a caption changes.
std::vector<std::string_view> CaptionSortKeys(const std::vector<TClipItem*>& items);

// Indices in ascending key order; equal keys keep their order.
std::vector<size_t> StableKeyOrder(const std::vector<std::string_view>& keys);

// The order a chain ends up in when items with these keys (in the order given) are inserted one by one,
// each after FindSortedPosition of its caption, into an empty folder. That rule puts an item in front
// of its equals while nothing smaller is in the chain, and behind them once something is.
std::vector<size_t> SortedInsertionOrder(const std::vector<std::string_view>& keys);

}  // namespace velmora::model
