// velmora-cli run as a program: exit codes, what goes to which stream, and the files it writes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "Fixtures.h"
#include "ToolRunner.h"

namespace velmora::tests {
namespace {

using Json = nlohmann::ordered_json;

TEST(Cli, UsageAndBadCommandLines) {
  const TToolResult help = RunTool({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  for (const char* word : {"dump", "build", "check"})
    EXPECT_NE(help.Out.find(word), std::string::npos);

  const std::vector<std::vector<std::string>> refused = {
      {}, {"frobnicate"}, {"dump"}, {"dump", "a", "b"}, {"build"}, {"build", "a", "b", "c"}, {"check"},
  };
  for (const auto& args : refused) {
    const TToolResult result = RunTool(args);
    EXPECT_EQ(result.ExitCode, 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_NE(result.Err.find("Usage: velmora-cli"), std::string::npos);
    EXPECT_EQ(result.Out, "");
  }
}

TEST(Cli, DumpBuildDumpKeepsEveryNodeAndByte) {
  TScratchFolder scratch;
  const Json source = Json::parse(kEveryNodeJson);
  const std::string first = scratch.Path("first.vmc");
  const TToolResult built = RunTool({"build", first}, kEveryNodeJson);
  ASSERT_EQ(built.ExitCode, 0) << built.Err;
  EXPECT_EQ(built.Out + built.Err, "");

  // The dump is the source, pretty-printed with two spaces and the keys in their fixed order.
  const TToolResult dumped = RunTool({"dump", first});
  ASSERT_EQ(dumped.ExitCode, 0) << dumped.Err;
  EXPECT_EQ(dumped.Out, source.dump(2) + "\n");
  EXPECT_EQ(dumped.Err, "");

  // Building the dump again writes the same bytes.
  const std::string second = scratch.Path("second.vmc");
  ASSERT_EQ(RunTool({"build", second}, dumped.Out).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
}

TEST(Cli, TheSmallCollectionIsByteExact) {
  TScratchFolder scratch;
  const std::string fromStdin = scratch.Path("stdin.vmc");
  ASSERT_EQ(RunTool({"build", fromStdin}, kSmallCollectionJson).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(fromStdin), SmallCollectionBytes());

  // The same from a JSON file, into a file whose name differs from the collection's.
  const std::string json = scratch.Path("small.json");
  WriteFileBytes(json, kSmallCollectionJson);
  const std::string fromFile = scratch.Path("Other name.vmc");
  ASSERT_EQ(RunTool({"build", fromFile, json}).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(fromFile), SmallCollectionBytes());

  const std::string given = scratch.Path("given.vmc");
  WriteFileBytes(given, SmallCollectionBytes());
  const TToolResult dumped = RunTool({"dump", given});
  EXPECT_EQ(dumped.ExitCode, 0);
  EXPECT_EQ(dumped.Out, std::string(kSmallCollectionJson) + "\n");

  const TToolResult checked = RunTool({"check", given});
  EXPECT_EQ(checked.ExitCode, 0);
  EXPECT_EQ(checked.Out, "1 folder, 1 clip, 0 recycled clips\n");
  EXPECT_EQ(checked.Err, "");
}

TEST(Cli, CheckCountsEveryKindOfItem) {
  TScratchFolder scratch;
  const std::string file = scratch.Path("every.vmc");
  ASSERT_EQ(RunTool({"build", file}, kEveryNodeJson).ExitCode, 0);
  const TToolResult checked = RunTool({"check", file});
  EXPECT_EQ(checked.ExitCode, 0);
  EXPECT_EQ(checked.Out, "3 folders, 5 clips, 3 recycled clips\n");
}

TEST(Cli, EveryTruncationIsAStreamReadError) {
  TScratchFolder scratch;
  const std::string whole = SmallCollectionBytes();
  const std::string file = scratch.Path("cut.vmc");
  for (size_t length = 0; length < whole.size(); ++length) {
    WriteFileBytes(file, whole.substr(0, length));
    for (const char* command : {"check", "dump"}) {
      const TToolResult result = RunTool({command, file});
      EXPECT_EQ(result.ExitCode, 1) << command << " at " << length;
      EXPECT_EQ(result.Err, "Stream read error\n") << command << " at " << length;
      EXPECT_EQ(result.Out, "") << command << " at " << length;
    }
  }
}

TEST(Cli, CheckReportsTheLoadErrorExactly) {
  const std::string whole = SmallCollectionBytes();
  auto patched = [&whole](size_t at, char value) {
    std::string bytes = whole;
    bytes[at] = value;
    return bytes;
  };
  struct TCase {
    std::string Bytes;
    std::string Message;
  };
  const TCase cases[] = {
      {"This is a plain text file, not a collection.\n", "The file is not an Velmora Collection file"},
      {patched(0, 'v'), "The file is not an Velmora Collection file"},
      {patched(8, '\x02'), "The file is not an Velmora Collection file"},  // revision
      {patched(7, '\x02'),
       "The Velmora Collection was created with a more recent version of Velmora.  Please upgrade your copy "
       "of Velmora."},
      {patched(22, '\x05'), "The collection holds an item of an unknown kind"},
  };
  TScratchFolder scratch;
  const std::string file = scratch.Path("bad.vmc");
  for (const TCase& c : cases) {
    WriteFileBytes(file, c.Bytes);
    const TToolResult result = RunTool({"check", file});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Err, c.Message + "\n");
    EXPECT_EQ(result.Out, "");
  }

  const TToolResult missing = RunTool({"check", scratch.Path("missing.vmc")});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Err.rfind("Cannot open file", 0), 0u) << missing.Err;
}

TEST(Cli, BuildRefusesBadJsonAndLeavesTheTargetAlone) {
  TScratchFolder scratch;
  const std::string file = scratch.Path("out.vmc");
  const TToolResult shape = RunTool(
      {"build", file}, R"({"name": "R", "sorted": false, "children": [{"type": "clip", "kind": 300}]})");
  EXPECT_EQ(shape.ExitCode, 2);
  EXPECT_EQ(shape.Err, "children[0].kind: expected a number 0-255\n");
  EXPECT_FALSE(FileExists(file));

  WriteFileBytes(file, SmallCollectionBytes());
  const TToolResult syntax = RunTool({"build", file}, "{\"name\": ");
  EXPECT_EQ(syntax.ExitCode, 2);
  EXPECT_NE(syntax.Err.find("line 1, column"), std::string::npos) << syntax.Err;
  EXPECT_EQ(ReadFileBytes(file), SmallCollectionBytes());
}

TEST(Cli, BuildReportsAWriteFailure) {
  TScratchFolder scratch;
  const TToolResult result = RunTool({"build", scratch.Path("no such folder/out.vmc")}, kSmallCollectionJson);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err.rfind("Cannot create file", 0), 0u) << result.Err;

  const TToolResult noInput = RunTool({"build", scratch.Path("out.vmc"), scratch.Path("missing.json")});
  EXPECT_EQ(noInput.ExitCode, 1);
  EXPECT_EQ(noInput.Err.rfind("Cannot open file", 0), 0u) << noInput.Err;
  EXPECT_FALSE(FileExists(scratch.Path("out.vmc")));
}

// Every string in the tree, plain or base64.
void CollectStrings(const nlohmann::json& value, std::vector<std::string>& out) {
  std::vector<const nlohmann::json*> pending{&value};
  while (!pending.empty()) {
    const nlohmann::json* node = pending.back();
    pending.pop_back();
    if (node->is_string())
      out.push_back(node->get<std::string>());
    if (node->is_structured()) {
      for (const auto& child : *node)
        pending.push_back(&child);
    }
  }
}

TEST(Cli, TheShippedGettingStartedCollectionMatchesItsSource) {
  const TToolResult checked = RunTool({"check", VELMORA_GETTING_STARTED_VMC});
  EXPECT_EQ(checked.ExitCode, 0) << checked.Err;

  const TToolResult dumped = RunTool({"dump", VELMORA_GETTING_STARTED_VMC});
  ASSERT_EQ(dumped.ExitCode, 0) << dumped.Err;
  const nlohmann::json source = nlohmann::json::parse(ReadFileBytes(VELMORA_GETTING_STARTED_JSON));
  EXPECT_EQ(nlohmann::json::parse(dumped.Out), source);
  EXPECT_EQ(source["name"], "Getting Started");

  // The program stores line breaks as CR LF; a bare LF in the source would paste wrongly.
  std::vector<std::string> strings;
  CollectStrings(source, strings);
  for (const std::string& text : strings) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
      EXPECT_TRUE(at > 0 && text[at - 1] == '\r') << text;
    }
  }
}

}  // namespace
}  // namespace velmora::tests
