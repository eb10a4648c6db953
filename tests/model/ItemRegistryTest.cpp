// The table of living items by ID, against a plain multimap over a long random run.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "model/ItemRegistry.h"

namespace velmora::model {
namespace {

TEST(ItemRegistry, AgreesWithAMultimapThroughInsertsErasesAndSharedIds) {
  TItemRegistry registry;
  std::multimap<uint32_t, TClipItem*> reference;
  std::mt19937 random(11);
  // Fake item addresses: the table only stores and compares them.
  auto item = [](uintptr_t n) { return reinterpret_cast<TClipItem*>(n * 16); };
  uintptr_t nextItem = 1;
  for (int step = 0; step < 200000; ++step) {
    // IDs mostly sequential as handed out, sometimes set from outside (shared, small, zero).
    const unsigned what = random() % 10;
    if (what < 6 || reference.empty()) {
      const uint32_t id = what == 0 ? random() % 8 : 256 + static_cast<uint32_t>(random() % 5000);
      TClipItem* added = item(nextItem++);
      registry.Insert(id, added);
      reference.emplace(id, added);
    } else {
      auto victim = reference.begin();
      std::advance(victim, random() % std::min<size_t>(reference.size(), 64));
      registry.Erase(victim->first, victim->second);
      reference.erase(victim);
    }
    if (step % 997 == 0) {
      for (uint32_t id = 0; id < 5300; ++id) {
        const size_t expected = reference.count(id);
        ASSERT_EQ(registry.Count(id), expected) << "id " << id << " step " << step;
        TClipItem* found = registry.Find(id);
        if (expected == 0) {
          ASSERT_EQ(found, nullptr);
        } else {
          bool known = false;
          for (auto [it, end] = reference.equal_range(id); it != end; ++it)
            known |= it->second == found;
          ASSERT_TRUE(known) << "id " << id;
        }
      }
    }
  }
}

}  // namespace
}  // namespace velmora::model
