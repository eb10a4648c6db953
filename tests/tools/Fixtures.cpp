// The shared test collections.
#include "Fixtures.h"

namespace velmora::tests {

using namespace std::string_literals;

std::string SmallCollectionBytes() {
  return "VELMORA"s +                    // signature
         "\x01\x01\x01"s +               // version, revision, sorted
         "\x04\x00\x00\x00"s + "Test" +  // root name
         "\x01\x00\x00\x00"s +           // one child
         "\x00"s +                       // a folder
         "\x01\x00\x00\x00"s + "A" +     // its name
         "\x01\x00\x00\x00"s +           // one child
         "\x01"s +                       // a clip
         "\x00\x00\x00\x00"s +           // no label
         "\x01\x00\x00\x00"s + "x" +     // abbreviation
         "\x00"s +                       // kind: plain text
         "\x02\x00\x00\x00"s + "hi" +    // text
         "\x00"s;                        // no indent
}

const char kSmallCollectionJson[] = R"({
  "name": "Test",
  "sorted": true,
  "children": [
    {
      "type": "folder",
      "name": "A",
      "children": [
        {
          "type": "clip",
          "kind": 0,
          "label": "",
          "abbreviation": "x",
          "indent": false,
          "text": "hi"
        }
      ]
    }
  ]
})";

const char kEveryNodeJson[] = R"({
  "name": {"base64": "/w=="},
  "sorted": true,
  "children": [
    {"type": "folder", "name": "Zeta", "children": [
      {"type": "clip", "kind": 0, "label": "Grüße", "abbreviation": "z", "indent": false,
       "text": "a\u0000b\r\nc"},
      {"type": "folder", "name": "", "children": [
        {"type": "recycled", "kind": 3, "label": "", "abbreviation": "", "indent": true,
         "before": {"base64": "//4="}, "after": "</x>", "deletedOn": -36522}
      ]}
    ]},
    {"type": "clip", "kind": 7, "label": "unknown kind", "abbreviation": "", "indent": true,
     "text": {"base64": "gAAB"}},
    {"type": "clip", "kind": 1, "label": "", "abbreviation": "", "indent": false, "text": "ab\r\ncd"},
    {"type": "clip", "kind": 2, "label": "", "abbreviation": "", "indent": false, "text": {"base64": "AAECAwT/"}},
    {"type": "recycled", "kind": 0, "label": "", "abbreviation": "", "indent": false, "text": "gone",
     "deletedOn": 2147483647},
    {"type": "recycled", "kind": 3, "label": "", "abbreviation": "", "indent": false, "before": "<b>",
     "after": "", "deletedOn": -2147483648},
    {"type": "clip", "kind": 255, "label": {"base64": "wK8="}, "abbreviation": {"base64": "7aCA"},
     "indent": false, "text": ""},
    {"type": "folder", "name": "Alpha", "children": []}
  ]
})";

}  // namespace velmora::tests
