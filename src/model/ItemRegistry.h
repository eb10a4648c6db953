// Every living clip item by ID: an open-addressing table, because a node per item would cost an
// allocation for each of the hundred thousand clips a large collection loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace velmora::model {

class TClipItem;

class TItemRegistry {
 public:
  void Insert(uint32_t id, TClipItem* item);
  void Erase(uint32_t id, TClipItem* item);
  // An item with this ID, or null.
  TClipItem* Find(uint32_t id) const;
  // How many items carry this ID: more than one only after IDs were set from outside.
  size_t Count(uint32_t id) const;

 private:
  struct TSlot {
    uint32_t ID = 0;
    TClipItem* Item = nullptr;  // null: the slot is free
  };

  size_t Home(uint32_t id) const { return (id * 0x9E3779B97F4A7C15ull) >> FShift; }
  size_t Mask() const { return FSlots.size() - 1; }
  // The slot holding ID, or the free slot where it would go.
  size_t Probe(uint32_t id) const;
  void Grow();
  void RemoveSlot(size_t index);

  std::vector<TSlot> FSlots;  // invariant: empty, or a power of two in size and at most half full
  size_t FUsed = 0;
  unsigned FShift = 64;
  std::unordered_multimap<uint32_t, TClipItem*> FExtra;  // further items sharing an ID with a slot's
};

}  // namespace velmora::model
