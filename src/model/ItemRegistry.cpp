#include "model/ItemRegistry.h"

#include <bit>

namespace velmora::model {

size_t TItemRegistry::Probe(uint32_t id) const {
  size_t index = Home(id);
  while (FSlots[index].Item && FSlots[index].ID != id)
    index = (index + 1) & Mask();
  return index;
}

void TItemRegistry::Grow() {
  std::vector<TSlot> old = std::move(FSlots);
  const size_t capacity = old.empty() ? 1024 : old.size() * 2;
  FSlots.assign(capacity, TSlot{});
  FShift = 64 - static_cast<unsigned>(std::countr_zero(capacity));
  for (const TSlot& slot : old) {
    if (slot.Item)
      FSlots[Probe(slot.ID)] = slot;
  }
}

void TItemRegistry::Insert(uint32_t id, TClipItem* item) {
  if (2 * (FUsed + 1) > FSlots.size())
    Grow();
  const size_t index = Probe(id);
  if (FSlots[index].Item) {
    FExtra.emplace(id, item);
    return;
  }
  FSlots[index] = {id, item};
  ++FUsed;
}

TClipItem* TItemRegistry::Find(uint32_t id) const {
  return FSlots.empty() ? nullptr : FSlots[Probe(id)].Item;
}

size_t TItemRegistry::Count(uint32_t id) const {
  if (!Find(id))
    return 0;
  return 1 + (FExtra.empty() ? 0 : FExtra.count(id));
}

void TItemRegistry::Erase(uint32_t id, TClipItem* item) {
  if (FSlots.empty())
    return;
  const size_t index = Probe(id);
  if (FSlots[index].Item == item) {
    // Another item with the same ID takes the slot over, if there is one.
    if (auto extra = FExtra.find(id); extra != FExtra.end()) {
      FSlots[index].Item = extra->second;
      FExtra.erase(extra);
    } else {
      RemoveSlot(index);
    }
    return;
  }
  auto [first, last] = FExtra.equal_range(id);
  for (auto it = first; it != last; ++it) {
    if (it->second == item) {
      FExtra.erase(it);
      return;
    }
  }
}

void TItemRegistry::RemoveSlot(size_t index) {
  // Backward-shift deletion: move later entries of the probe run up, so no lookup passes a hole.
  size_t hole = index;
  for (size_t next = (hole + 1) & Mask(); FSlots[next].Item; next = (next + 1) & Mask()) {
    const size_t home = Home(FSlots[next].ID);
    // The entry may fill the hole when its home does not lie in the cyclic range (hole, next].
    const bool homeBetween = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
    if (!homeBetween) {
      FSlots[hole] = FSlots[next];
      hole = next;
    }
  }
  FSlots[hole] = TSlot{};
  --FUsed;
}

}  // namespace velmora::model
