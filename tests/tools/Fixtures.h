// Small collections shared by the inspector tests, as bytes and as the JSON the inspector prints for them.
#pragma once

#include <string>

namespace velmora::tests {

// A sorted collection "Test" holding folder "A" with one plain clip: no label, abbreviation "x", text
// "hi", no indent; 50 bytes.
std::string SmallCollectionBytes();
extern const char kSmallCollectionJson[];

// Every node type, kind 3, a kind the program does not know, strings that are not UTF-8 (as base64), NUL
// bytes, an empty folder name, day numbers at both ends, and a sorted root whose children are out of
// order, which must stay as they are.
extern const char kEveryNodeJson[];

}  // namespace velmora::tests
