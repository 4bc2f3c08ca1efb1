#include "shell/CommandLine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <string_view>

#include "shell/PrintableText.h"
#include "shell/ProductInfo.h"
#include "shell/SkinChecker.h"
#include "skin/IniFile.h"

#ifndef TAVRO_VERSION
#define TAVRO_VERSION "unknown"
#endif

namespace tavro {
namespace {

constexpr const char* kUsage = R"(Usage: tavro50 [OPTION]
Desktop simulator of a pocket LCD handheld game and clock. Without an option
it opens its window, dressed by the Config.ini beside the executable.

Options:
  --check-skin [FOLDER]  check FOLDER/Config.ini (without FOLDER: the one
                         beside the executable), the pictures and manual
                         pages it names and the five sounds in FOLDER/Sound,
                         and list every problem; opens no window.
                         Relative folders in Config.ini are taken from FOLDER,
                         as if the program were started there.
                         Exit status: 0 without errors, 1 with errors.
  -h, --help             show this help and exit
      --version          show the version and exit

Exit status 2: an unknown option; 3: the output could not be written (a full
disk, a closed pipe).

Qt's own options (-platform, -style, ...) are passed on to Qt.
)";

// Qt's application options; the first ones take a value.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue{
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title"};
constexpr std::array<std::string_view, 7> kQtFlags{"reverse", "widgetcount",   "nograb", "dograb",
                                                   "sync",    "qmljsdebugger", "visual"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr int kUnwritable = 3;

// Flushes what `status` came with; kUnwritable when it did not all get out.
int written(int status, std::ostream& out, std::ostream& err) {
  out.flush();
  if (out.fail()) {
    err << "tavro50: the output could not be written\n";
    return kUnwritable;
  }
  return status;
}

int checkSkinFolder(std::string folder, std::ostream& out) {
  if (folder.empty()) {
    folder = configPath();
    folder.resize(folder.size() - std::string_view("Config.ini").size());
  }
  const std::vector<SkinProblem> problems = checkSkin(folder);
  for (const SkinProblem& problem : problems) out << formatProblem(problem) << '\n';
  out << problemSummary(problems) << '\n';
  return hasErrors(problems) ? 1 : 0;
}

}  // namespace

std::optional<int> runCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err) {
  bool help = false;
  bool version = false;
  bool check = false;
  std::string folder;
  std::vector<std::string> extra;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else if (arg == "--check-skin" || arg.rfind("--check-skin=", 0) == 0) {
      check = true;
      if (arg.size() > 12) {
        folder = arg.substr(13);
      } else if (i + 1 < args.size() && !args[i + 1].empty() && args[i + 1].front() != '-') {
        folder = args[++i];
      }
    } else if (arg.size() > 1 && arg.front() == '-') {
      std::string_view name(arg);
      name.remove_prefix(name.rfind("--", 0) == 0 ? 2 : 1);
      const std::size_t equals = name.find('=');
      const bool hasValue = equals != std::string_view::npos;
      name = name.substr(0, equals);
      if (contains(kQtOptionsWithValue, name)) {
        if (!hasValue) ++i;  // the value follows
      } else if (!contains(kQtFlags, name)) {
        err << "tavro50: unknown option '" << shown(arg) << "' (see tavro50 --help)\n";
        return 2;
      }
    } else {
      extra.push_back(arg);
    }
  }
  if (help) {
    out << kUsage;
    return written(0, out, err);
  }
  if (version) {
    out << product::kTitle << ' ' << TAVRO_VERSION << '\n';
    return written(0, out, err);
  }
  if (!check) return std::nullopt;  // the window; other arguments are not read
  if (!extra.empty()) {
    err << "tavro50: --check-skin takes one folder, not also '" << shown(extra.front()) << "'\n";
    return 2;
  }
  return written(checkSkinFolder(folder, out), out, err);
}

std::optional<int> runCommandLine(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  std::optional<int> status = runCommandLine(args, std::cout, std::cerr);
  // std::cout writes through stdout, whose buffer may still hold the end.
  if (status && *status != kUnwritable && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
    std::cerr << "tavro50: the output could not be written\n";
    status = kUnwritable;
  }
  return status;
}

}  // namespace tavro
