// Mapping between a clip tree and its JSON form, walking both with explicit stacks since trees come
// from outside.
#include "CollectionJson.h"

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "Base64.h"
#include "JsonInput.h"
#include "model/Clip.h"
#include "model/ClipFolder.h"
#include "model/RecycledClip.h"
#include "model/Utf8.h"

namespace velmora::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr char kFolderType[] = "folder";
constexpr char kClipType[] = "clip";
constexpr char kRecycledType[] = "recycled";

// ---- tree to JSON ----

Json StringToJson(const std::string& bytes) {
  if (model::IsValidUtf8(bytes))
    return bytes;
  Json wrapped = Json::object();
  wrapped["base64"] = EncodeBase64(bytes);
  return wrapped;
}

// ---- JSON to tree ----

std::string Place(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

[[noreturn]] void Fail(const std::string& place, const std::string& problem) {
  throw EBadJson(place + ": " + problem);
}

const Json& Member(const Json& object, const std::string& path, const char* key) {
  const auto found = object.find(key);
  if (found == object.end())
    Fail(Place(path, key), "missing");
  return *found;
}

// Refuses any key not in Allowed; Hint may explain why a known key does not belong here.
void CheckKeys(const Json& object, const std::string& path, std::initializer_list<std::string_view> allowed,
               std::string (*hint)(std::string_view key) = nullptr) {
  for (const auto& [key, value] : object.items()) {
    bool known = false;
    for (std::string_view name : allowed)
      known = known || key == name;
    if (known)
      continue;
    const std::string explanation = hint ? hint(key) : std::string();
    Fail(Place(path, key), explanation.empty() ? "unknown key" : explanation);
  }
}

std::string ClipKeyHint(std::string_view key) {
  if (key == "text")
    return "a before-and-after clip (kind 3) has before and after instead of text";
  if (key == "before" || key == "after")
    return "only a before-and-after clip (kind 3) has before and after";
  if (key == "deletedOn")
    return "only a recycled clip has deletedOn";
  if (key == "name" || key == "children")
    return "only a folder has " + std::string(key);
  return {};
}

std::string FolderKeyHint(std::string_view key) {
  if (key == "kind" || key == "label" || key == "abbreviation" || key == "indent" || key == "text" ||
      key == "before" || key == "after" || key == "deletedOn") {
    return "a folder has no " + std::string(key);
  }
  return {};
}

std::string ReadText(const Json& value, const std::string& place) {
  if (value.is_string())
    return value.get<std::string>();
  if (value.is_object() && value.size() == 1 && value.contains("base64")) {
    const Json& encoded = value["base64"];
    if (encoded.is_string()) {
      if (auto bytes = DecodeBase64(encoded.get_ref<const std::string&>()))
        return *bytes;
    }
    Fail(Place(place, "base64"), "expected standard base64 text with padding");
  }
  Fail(place, "expected a string or {\"base64\": \"...\"}");
}

bool ReadBool(const Json& value, const std::string& place) {
  if (!value.is_boolean())
    Fail(place, "expected true or false");
  return value.get<bool>();
}

uint8_t ReadKind(const Json& value, const std::string& place) {
  // The parser keeps every non-negative whole number as unsigned, so a signed one here is negative.
  if (!value.is_number_unsigned() || value.get<uint64_t>() > 255)
    Fail(place, "expected a number 0-255");
  return static_cast<uint8_t>(value.get<uint64_t>());
}

int32_t ReadDay(const Json& value, const std::string& place) {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  if (value.is_number_unsigned() && value.get<uint64_t>() <= static_cast<uint64_t>(kMax)) {
    return static_cast<int32_t>(value.get<uint64_t>());
  }
  if (value.is_number_integer() && !value.is_number_unsigned()) {
    const int64_t day = value.get<int64_t>();
    if (day >= kMin && day <= kMax)
      return static_cast<int32_t>(day);
  }
  Fail(place, "expected a whole number from -2147483648 to 2147483647");
}

const Json& ReadChildren(const Json& object, const std::string& path) {
  const Json& children = Member(object, path, "children");
  if (!children.is_array())
    Fail(Place(path, "children"), "expected an array");
  return children;
}

// Reads a clip or recycled clip record at Path and links it after Prev in Folder.
model::TClipItem* AddClip(const Json& node, const std::string& path, bool recycled,
                          model::TClipFolder& folder, model::TClipItem* prev) {
  const uint8_t kind = ReadKind(Member(node, path, "kind"), Place(path, "kind"));
  const bool beforeAfter = kind == model::kBeforeAfterText;
  if (beforeAfter && recycled) {
    CheckKeys(node, path, {"type", "kind", "label", "abbreviation", "indent", "before", "after", "deletedOn"},
              ClipKeyHint);
  } else if (beforeAfter) {
    CheckKeys(node, path, {"type", "kind", "label", "abbreviation", "indent", "before", "after"},
              ClipKeyHint);
  } else if (recycled) {
    CheckKeys(node, path, {"type", "kind", "label", "abbreviation", "indent", "text", "deletedOn"},
              ClipKeyHint);
  } else {
    CheckKeys(node, path, {"type", "kind", "label", "abbreviation", "indent", "text"}, ClipKeyHint);
  }

  model::TClip* clip = recycled ? folder.Add<model::TRecycledClip>(prev) : folder.Add<model::TClip>(prev);
  clip->SetKind(kind);
  clip->SetLabel(ReadText(Member(node, path, "label"), Place(path, "label")));
  clip->SetAbbreviation(ReadText(Member(node, path, "abbreviation"), Place(path, "abbreviation")));
  clip->SetIndent(ReadBool(Member(node, path, "indent"), Place(path, "indent")));
  if (beforeAfter) {
    clip->SetBeforeText(ReadText(Member(node, path, "before"), Place(path, "before")));
    clip->SetAfterText(ReadText(Member(node, path, "after"), Place(path, "after")));
  } else {
    clip->SetText(ReadText(Member(node, path, "text"), Place(path, "text")));
  }
  if (recycled) {
    static_cast<model::TRecycledClip*>(clip)->SetDeletedOn(
        ReadDay(Member(node, path, "deletedOn"), Place(path, "deletedOn")));
  }
  return clip;
}

}  // namespace

nlohmann::ordered_json ClipToJson(const model::TClip& clip) {
  const auto* recycled = dynamic_cast<const model::TRecycledClip*>(&clip);
  Json json = Json::object();
  json["type"] = recycled ? kRecycledType : kClipType;
  json["kind"] = clip.Kind();
  json["label"] = StringToJson(clip.Label());
  json["abbreviation"] = StringToJson(clip.Abbreviation());
  json["indent"] = clip.Indent();
  if (clip.Kind() == model::kBeforeAfterText) {
    json["before"] = StringToJson(clip.BeforeText());
    json["after"] = StringToJson(clip.AfterText());
  } else {
    json["text"] = StringToJson(clip.Text());
  }
  if (recycled)
    json["deletedOn"] = recycled->DeletedOn();
  return json;
}

Json CollectionToJson(const model::TClipFile& root) {
  Json json = Json::object();
  json["name"] = StringToJson(root.Name());
  json["sorted"] = root.Sorted();
  json["children"] = Json::array();

  // Per open folder, the next child to write and the array it goes into. Only the top array ever grows,
  // and every array below it belongs to an ancestor, so the pointers stay valid.
  struct TFrame {
    const model::TClipItem* Next;
    Json* Children;
  };
  std::vector<TFrame> stack{{root.FirstChild(), &json["children"]}};
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    const model::TClipItem* item = frame.Next;
    if (!item) {
      stack.pop_back();
      continue;
    }
    frame.Next = item->NextSibling();
    if (const model::TClipFolder* folder = item->AsFolder()) {
      Json node = Json::object();
      node["type"] = kFolderType;
      node["name"] = StringToJson(folder->Name());
      node["children"] = Json::array();
      frame.Children->push_back(std::move(node));
      Json* children = &frame.Children->back()["children"];
      stack.push_back({folder->FirstChild(), children});  // Frame is not used after this
    } else if (const model::TClip* clip = item->AsClip()) {
      frame.Children->push_back(ClipToJson(*clip));
    }
  }
  return json;
}

void CollectionFromJson(const Json& json, model::TClipFile& root) {
  if (!json.is_object())
    Fail("top level", "expected an object with name, sorted and children");
  CheckKeys(json, "", {"name", "sorted", "children"});
  root.SetName(ReadText(Member(json, "", "name"), "name"));
  // Before any child exists, so that switching sorting on leaves the order of the JSON as it is.
  root.SetSorted(ReadBool(Member(json, "", "sorted"), "sorted"));

  // Per open folder: its JSON children, the next one to read, the folder and its last child so far, and
  // the path that names its children in messages.
  struct TFrame {
    const Json* Children;
    size_t Next;
    model::TClipFolder* Folder;
    model::TClipItem* Last;
    std::string Path;
  };
  std::vector<TFrame> stack;
  stack.push_back({&ReadChildren(json, ""), 0, &root, nullptr, "children"});
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.Next == frame.Children->size()) {
      stack.pop_back();
      continue;
    }
    const size_t index = frame.Next++;
    const Json& node = (*frame.Children)[index];
    const std::string path = frame.Path + "[" + std::to_string(index) + "]";
    if (!node.is_object())
      Fail(path, "expected an object");
    const Json& type = Member(node, path, "type");
    if (type == kFolderType) {
      CheckKeys(node, path, {"type", "name", "children"}, FolderKeyHint);
      const std::string name = ReadText(Member(node, path, "name"), Place(path, "name"));
      const Json& children = ReadChildren(node, path);
      // The stack holds the root and every open folder: this one would be nested that deep.
      if (stack.size() > kMaxFolderDepth) {
        Fail(path, "folders are nested deeper than " + std::to_string(kMaxFolderDepth) +
                       " levels, more than a collection can hold");
      }
      // Set after construction, which would turn an empty name into "New folder".
      model::TClipFolder* folder = frame.Folder->Add<model::TClipFolder>(frame.Last);
      folder->SetName(name);
      frame.Last = folder;
      stack.push_back({&children, 0, folder, nullptr, Place(path, "children")});  // Frame is not used after
    } else if (type == kClipType || type == kRecycledType) {
      frame.Last = AddClip(node, path, type == kRecycledType, *frame.Folder, frame.Last);
    } else {
      Fail(Place(path, "type"), "expected \"folder\", \"clip\" or \"recycled\"");
    }
  }
}

}  // namespace velmora::cli
