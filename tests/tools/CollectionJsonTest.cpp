// The JSON mapping in-process: how build reports bad input, and the nesting limits on both sides.
#include "CollectionJson.h"

#include <gtest/gtest.h>

#include <string>

#include "Fixtures.h"
#include "JsonInput.h"
#include "model/ClipFile.h"
#include "model/CollectionStream.h"

namespace velmora::cli {
namespace {

using Json = nlohmann::ordered_json;

// Builds Text into a fresh collection; the message of the EBadJson it raises, or "" when it builds.
std::string BuildProblem(const std::string& text) {
  model::TClipFile root;
  try {
    CollectionFromJson(ParseJsonBounded(text, kMaxJsonDepth), root);
  } catch (const EBadJson& error) {
    return error.what();
  }
  return {};
}

// A root around the given children.
std::string WithChildren(const std::string& children) {
  return R"({"name": "R", "sorted": false, "children": [)" + children + "]}";
}

// A well-formed plain clip with one field replaced or added.
std::string Clip(const std::string& extra) {
  return R"({"type": "clip", "kind": 0, "label": "", "abbreviation": "", "indent": false, "text": "t")" +
         (extra.empty() ? "" : ", " + extra) + "}";
}

TEST(CollectionJson, BuildNamesTheBadPlace) {
  const std::string goodClip = Clip("");
  struct TCase {
    std::string Json;
    std::string Problem;
  };
  const TCase cases[] = {
      {"[]", "top level: expected an object with name, sorted and children"},
      {R"({"name": "R", "children": []})", "sorted: missing"},
      {R"({"name": "R", "sorted": 1, "children": []})", "sorted: expected true or false"},
      {R"({"name": 5, "sorted": false, "children": []})", R"(name: expected a string or {"base64": "..."})"},
      {R"({"name": "R", "sorted": false, "children": {}})", "children: expected an array"},
      {R"({"name": "R", "sorted": false, "children": [], "colour": "red"})", "colour: unknown key"},
      {WithChildren("[]"), "children[0]: expected an object"},
      {WithChildren(R"({"kind": 0})"), "children[0].type: missing"},
      {WithChildren(R"({"type": "file"})"), R"(children[0].type: expected "folder", "clip" or "recycled")"},
      {WithChildren(goodClip + ", " + goodClip + R"(, {"type": "clip", "kind": 256})"),
       "children[2].kind: expected a number 0-255"},
      {WithChildren(R"({"type": "clip", "kind": -1})"), "children[0].kind: expected a number 0-255"},
      {WithChildren(R"({"type": "clip", "kind": 1.0})"), "children[0].kind: expected a number 0-255"},
      {WithChildren(R"({"type": "clip", "kind": "0"})"), "children[0].kind: expected a number 0-255"},
      {WithChildren(R"({"type": "clip", "kind": 0, "label": "", "indent": false, "text": ""})"),
       "children[0].abbreviation: missing"},
      {WithChildren(Clip(R"("colour": 1)")), "children[0].colour: unknown key"},
      {WithChildren(Clip(R"("before": "<b>")")),
       "children[0].before: only a before-and-after clip (kind 3) has before and after"},
      {WithChildren(R"({"type": "clip", "kind": 3, "label": "", "abbreviation": "", "indent": false,
                       "text": "t"})"),
       "children[0].text: a before-and-after clip (kind 3) has before and after instead of text"},
      {WithChildren(R"({"type": "clip", "kind": 3, "label": "", "abbreviation": "", "indent": false,
                       "before": "<b>"})"),
       "children[0].after: missing"},
      {WithChildren(Clip(R"("deletedOn": 1)")), "children[0].deletedOn: only a recycled clip has deletedOn"},
      {WithChildren(R"({"type": "recycled", "kind": 0, "label": "", "abbreviation": "", "indent": false,
                       "text": ""})"),
       "children[0].deletedOn: missing"},
      {WithChildren(R"({"type": "recycled", "kind": 0, "label": "", "abbreviation": "", "indent": false,
                       "text": "", "deletedOn": 2147483648})"),
       "children[0].deletedOn: expected a whole number from -2147483648 to 2147483647"},
      {WithChildren(R"({"type": "recycled", "kind": 0, "label": "", "abbreviation": "", "indent": false,
                       "text": "", "deletedOn": -2147483649})"),
       "children[0].deletedOn: expected a whole number from -2147483648 to 2147483647"},
      {WithChildren(
           R"({"type": "clip", "kind": 0, "label": "", "abbreviation": "", "indent": 1, "text": ""})"),
       "children[0].indent: expected true or false"},
      {WithChildren(R"({"type": "clip", "kind": 0, "label": "", "abbreviation": "", "indent": false,
                       "text": {"base64": "Zh=="}})"),
       "children[0].text.base64: expected standard base64 text with padding"},
      {WithChildren(R"({"type": "clip", "kind": 0, "label": "", "abbreviation": "", "indent": false,
                       "text": {"base64": "aGk=", "also": 1}})"),
       R"(children[0].text: expected a string or {"base64": "..."})"},
      {WithChildren(R"({"type": "folder", "name": "F", "children": [], "kind": 0})"),
       "children[0].kind: a folder has no kind"},
      {WithChildren(R"({"type": "folder", "name": "F"})"), "children[0].children: missing"},
      {WithChildren(R"({"type": "folder", "name": "F", "children": [)" + goodClip +
                    R"(, {"type": "folder", "name": "G", "children": [{"type": "clip", "kind": 0,
                       "label": 5}]}]})"),
       R"(children[0].children[1].children[0].label: expected a string or {"base64": "..."})"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(BuildProblem(c.Json), c.Problem) << c.Json;
}

TEST(CollectionJson, TextThatIsNotJsonIsRefusedWithItsPosition) {
  const std::string problem = BuildProblem("{\n  \"name\": \"R\",\n  \"sorted\": fals, \"children\": []\n}");
  EXPECT_NE(problem.find("line 3, column"), std::string::npos) << problem;
  EXPECT_EQ(problem.find("json.exception"), std::string::npos) << problem;
  EXPECT_NE(BuildProblem(""), "");
  EXPECT_NE(BuildProblem(WithChildren("") + " trailing"), "");
}

// Nested folders as JSON text, the innermost one holding a clip with a base64 text, or empty.
std::string NestedFolders(size_t depth, bool innermostClip) {
  std::string text = R"({"name": "Deep", "sorted": false, "children": [)";
  for (size_t i = 0; i < depth; ++i)
    text += R"({"type": "folder", "name": "f", "children": [)";
  if (innermostClip) {
    text += R"({"type": "clip", "kind": 0, "label": "", "abbreviation": "", "indent": false,
               "text": {"base64": "/w=="}})";
  }
  for (size_t i = 0; i < depth; ++i)
    text += "]}";
  return text + "]}";
}

TEST(CollectionJson, BuildTakesAsManyNestedFoldersAsTheReaderLoads) {
  model::TClipFile built;
  CollectionFromJson(ParseJsonBounded(NestedFolders(kMaxFolderDepth, true), kMaxJsonDepth), built);
  model::TStringStreamWriter writer;
  built.SaveToStream(writer);

  model::TClipFile loaded;
  model::TStreamReader reader(writer.Data());
  ASSERT_NO_THROW(loaded.LoadFromStream(reader));
  EXPECT_EQ(loaded.ClipCount(), 1u);
  EXPECT_EQ(CollectionToJson(loaded), CollectionToJson(built));
}

TEST(CollectionJson, BuildRefusesOneFolderLevelMore) {
  // An empty folder one level too deep passes the text's depth bound and is refused by build itself.
  const std::string problem = BuildProblem(NestedFolders(kMaxFolderDepth + 1, false));
  std::string place = "children[0]";
  for (size_t i = 0; i < kMaxFolderDepth; ++i)
    place += ".children[0]";
  EXPECT_EQ(problem, place + ": folders are nested deeper than 255 levels, more than a collection can hold");
  // Anything inside it is past the depth bound of the text.
  EXPECT_NE(BuildProblem(NestedFolders(kMaxFolderDepth + 1, true)).find("nested deeper than 514 levels"),
            std::string::npos);
}

TEST(CollectionJson, DeepTextIsRefusedBeforeParsing) {
  // Far deeper than any recursion could survive; refused at the first bracket past the limit.
  const std::string deep(1'000'000, '[');
  try {
    ParseJsonBounded(deep, kMaxJsonDepth);
    FAIL() << "no error";
  } catch (const EBadJson& error) {
    EXPECT_STREQ(error.what(), "line 1, column 515: arrays and objects are nested deeper than 514 levels");
  }
  // Brackets inside strings, after escaped quotes too, are text and do not count.
  const std::string brackets(2000, '[');
  const std::string text = R"({"name": "\"\\)" + brackets + R"(", "sorted": false, "children": []})";
  model::TClipFile root;
  ASSERT_NO_THROW(CollectionFromJson(ParseJsonBounded(text, kMaxJsonDepth), root));
  EXPECT_EQ(root.Name(), "\"\\" + brackets);
}

TEST(CollectionJson, TheSmallCollectionMapsToItsExactBytesAndBack) {
  model::TClipFile built;
  CollectionFromJson(ParseJsonBounded(tests::kSmallCollectionJson, kMaxJsonDepth), built);
  model::TStringStreamWriter writer;
  built.SaveToStream(writer);
  EXPECT_EQ(writer.Data(), tests::SmallCollectionBytes());

  model::TClipFile loaded;
  const std::string bytes = tests::SmallCollectionBytes();
  model::TStreamReader reader(bytes);
  loaded.LoadFromStream(reader);
  EXPECT_EQ(CollectionToJson(loaded).dump(2), tests::kSmallCollectionJson);
}

}  // namespace
}  // namespace velmora::cli
