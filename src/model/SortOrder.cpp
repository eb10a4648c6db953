#include "model/SortOrder.h"

#include <algorithm>
#include <numeric>

namespace velmora::model {

std::vector<std::string_view> CaptionSortKeys(const std::vector<TClipItem*>& items) {
  std::vector<std::string_view> keys;
  keys.reserve(items.size());
  for (const TClipItem* item : items)
    keys.push_back(item->CaptionSortKey());
  return keys;
}

std::vector<size_t> StableKeyOrder(const std::vector<std::string_view>& keys) {
  std::vector<size_t> order(keys.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  return order;
}

std::vector<size_t> SortedInsertionOrder(const std::vector<std::string_view>& keys) {
  const std::vector<size_t> byKey = StableKeyOrder(keys);
  std::vector<size_t> result;
  result.reserve(keys.size());
  // Earliest insertion among all strictly smaller keys seen so far: items of a group inserted before it
  // went to the group's front (so they end up reversed), later ones to its back.
  size_t firstSmaller = keys.size();
  for (size_t groupStart = 0; groupStart < byKey.size();) {
    size_t groupEnd = groupStart + 1;
    while (groupEnd < byKey.size() && keys[byKey[groupEnd]] == keys[byKey[groupStart]])
      ++groupEnd;
    // Within the group the indices ascend (the sort is stable).
    const auto split = std::lower_bound(byKey.begin() + static_cast<std::ptrdiff_t>(groupStart),
                                        byKey.begin() + static_cast<std::ptrdiff_t>(groupEnd), firstSmaller);
    result.insert(result.end(), std::make_reverse_iterator(split),
                  std::make_reverse_iterator(byKey.begin() + static_cast<std::ptrdiff_t>(groupStart)));
    result.insert(result.end(), split, byKey.begin() + static_cast<std::ptrdiff_t>(groupEnd));
    firstSmaller = std::min(firstSmaller, byKey[groupStart]);
    groupStart = groupEnd;
  }
  return result;
}

}  // namespace velmora::model
