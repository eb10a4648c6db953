// clipboard read, copy and watch: a QGuiApplication on the X11 display with the program's clipboard
// object over the Qt clipboard backend.
#include "ClipboardCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CollectionJson.h"
#include "Commands.h"
#include "exchange/ClipboardExt.h"
#include "model/Clip.h"
#include "model/ClipFile.h"
#include "model/ClipFolder.h"
#include "model/Errors.h"
#include "model/RecycledClip.h"
#include "platform/x11/QtClipboard.h"

namespace velmora::cli {

namespace {

constexpr char kClipboardUsage[] =
    "Usage: velmora-cli clipboard SUBCOMMAND ...\n"
    "  read [--max-length N] [--ignore-text T]   print the clip on the clipboard as JSON; exit 1 if none\n"
    "  copy FILE.vmc PATH [--serve-ms N]         put the clip at PATH (folders/caption) on the clipboard "
    "and\n"
    "                                            serve it until another application copies (at most N ms)\n"
    "  watch                                     print a JSON line per clipboard change until interrupted\n"
    "Every subcommand takes --timeout-ms N: how long a read waits for another application (default 2000).\n";

// This program's owner id when it opens the clipboard.
constexpr platform::TClipboardOwner kCliOwner = 1;

struct TOptions {
  std::vector<std::string> Operands;
  size_t MaxLength = exchange::kNoClipLengthLimit;
  std::string IgnoreText;
  std::chrono::milliseconds Timeout{2000};
  std::optional<std::chrono::milliseconds> ServeFor;
};

int Usage(std::string_view problem) {
  std::cerr << "velmora-cli: " << problem << "\n\n" << kClipboardUsage;
  return kExitBadInput;
}

std::optional<uint64_t> ParseCount(std::string_view text) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

// Fills Options from Argv[From...]; returns a problem, or an empty string.
std::string ParseOptions(int argc, char** argv, int from, TOptions& options) {
  for (int i = from; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool takesValue = argument == "--max-length" || argument == "--ignore-text" ||
                            argument == "--timeout-ms" || argument == "--serve-ms";
    if (!takesValue) {
      if (argument.starts_with("--"))
        return "unknown option " + std::string(argument);
      options.Operands.emplace_back(argument);
      continue;
    }
    if (i + 1 >= argc)
      return std::string(argument) + " needs a value";
    const std::string_view value = argv[++i];
    if (argument == "--ignore-text") {
      options.IgnoreText = value;
      continue;
    }
    const std::optional<uint64_t> count = ParseCount(value);
    if (!count || *count > exchange::kNoClipLengthLimit)
      return std::string(argument) + " needs a number";
    if (argument == "--max-length")
      options.MaxLength = *count;
    else if (argument == "--timeout-ms")
      options.Timeout = std::chrono::milliseconds(*count);
    else
      options.ServeFor = std::chrono::milliseconds(*count);
  }
  return {};
}

// The clip at Path: folder captions joined by "/", the clip's caption last.
const model::TClip* FindClip(const model::TClipFolder& root, std::string_view path) {
  const model::TClipFolder* folder = &root;
  for (;;) {
    const size_t slash = path.find('/');
    const std::string_view name = path.substr(0, slash);
    const bool last = slash == std::string_view::npos;
    const model::TClipItem* found = nullptr;
    for (const model::TClipItem* child = folder->FirstChild(); child && !found;
         child = child->NextSibling()) {
      if (child->GetCaption() != name)
        continue;
      if (last && child->IsClip() && !dynamic_cast<const model::TRecycledClip*>(child))
        found = child;
      else if (!last && child->IsFolder())
        found = child;
    }
    if (!found)
      return nullptr;
    if (last)
      return found->AsClip();
    folder = found->AsFolder();
    path.remove_prefix(slash + 1);
  }
}

int RunRead(exchange::TClipboardExt& clipboard, const TOptions& options) {
  std::unique_ptr<model::TClip> clip;
  try {
    clip = clipboard.ReadClip(options.IgnoreText, options.MaxLength);
  } catch (const EVelmoraError& error) {
    std::cerr << error.what() << '\n';
    return kExitFailure;
  }
  if (!clip)
    return kExitFailure;
  std::cout << ClipToJson(*clip).dump(2) << '\n' << std::flush;
  return std::cout ? kExitOk : kExitFailure;
}

int RunCopy(QGuiApplication& app, exchange::TClipboardExt& clipboard, const TOptions& options) {
  model::TClipFile root;
  try {
    root.LoadFromFile(options.Operands[0]);
  } catch (const EVelmoraError& error) {
    std::cerr << error.what() << '\n';
    return kExitFailure;
  }
  const model::TClip* clip = FindClip(root, options.Operands[1]);
  if (!clip) {
    std::cerr << "velmora-cli: no clip at \"" << options.Operands[1] << "\"\n";
    return kExitFailure;
  }
  try {
    clipboard.CopyClip(*clip);
  } catch (const EVelmoraError& error) {
    std::cerr << error.what() << '\n';
    return kExitFailure;
  }
  // Serve the content until another owner takes the clipboard over, as xclip does.
  QClipboard* system = QGuiApplication::clipboard();
  QObject::connect(system, &QClipboard::changed, &app, [system](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && !system->ownsClipboard())
      QCoreApplication::quit();
  });
  if (!system->ownsClipboard())
    return kExitFailure;
  if (options.ServeFor)
    QTimer::singleShot(*options.ServeFor, &app, [] { QCoreApplication::quit(); });
  app.exec();
  return kExitOk;
}

int RunWatch(QGuiApplication& app, platform::TQtClipboard& backend, exchange::TClipboardExt& clipboard,
             const TOptions& options) {
  backend.SetChangeHandler([&backend, &clipboard, &options] {
    if (backend.IsOwnChange())
      return;
    try {
      // One opening for the whole capture: the owner is asked for its formats once, not per question.
      const exchange::TClipboardExt::TOpening opening(clipboard);
      if (clipboard.HasIgnoreMarker()) {
        std::cout << R"({"ignored":true})" << '\n' << std::flush;
        return;
      }
      if (const std::unique_ptr<model::TClip> clip =
              clipboard.ReadClip(options.IgnoreText, options.MaxLength))
        std::cout << ClipToJson(*clip).dump() << '\n' << std::flush;
    } catch (const EVelmoraError& error) {
      // A change that cannot be read is skipped, as a capture would skip it.
      std::cerr << "velmora-cli: " << error.what() << '\n';
    }
  });
  if (options.ServeFor)
    QTimer::singleShot(*options.ServeFor, &app, [] { QCoreApplication::quit(); });
  QTimer::singleShot(0, &app, [] { std::cerr << "velmora-cli: watching the clipboard" << std::endl; });
  app.exec();
  backend.SetChangeHandler({});
  return kExitOk;
}

}  // namespace

int RunClipboard(int argc, char** argv) {
  if (argc < 3)
    return Usage("clipboard needs a subcommand");
  const std::string_view subcommand = argv[2];
  TOptions options;
  if (const std::string problem = ParseOptions(argc, argv, 3, options); !problem.empty())
    return Usage(problem);
  const size_t operands = options.Operands.size();
  if (subcommand == "read" && operands != 0)
    return Usage("clipboard read takes no operands");
  if (subcommand == "copy" && operands != 2)
    return Usage("clipboard copy takes a collection file and a clip path");
  if (subcommand == "watch" && operands != 0)
    return Usage("clipboard watch takes no operands");
  if (subcommand != "read" && subcommand != "copy" && subcommand != "watch")
    return Usage("unknown clipboard subcommand \"" + std::string(subcommand) + "\"");

  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    std::cerr << "velmora-cli: the clipboard commands need an X11 display (DISPLAY is not set)\n";
    return kExitFailure;
  }
  // The backend speaks X11; Qt must not pick another platform. Qt is given no arguments of ours.
  qputenv("QT_QPA_PLATFORM", "xcb");
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  platform::TQtClipboard backend(options.Timeout);
  exchange::TClipboardExt clipboard(backend, kCliOwner);

  if (subcommand == "read")
    return RunRead(clipboard, options);
  if (subcommand == "copy")
    return RunCopy(app, clipboard, options);
  return RunWatch(app, backend, clipboard, options);
}

}  // namespace velmora::cli
