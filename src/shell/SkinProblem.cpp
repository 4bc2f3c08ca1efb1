#include "shell/SkinProblem.h"

#include <algorithm>

#include "shell/PrintableText.h"

namespace tavro {
namespace {

std::string counted(std::size_t count, const char* word) {
  return std::to_string(count) + ' ' + word + (count == 1 ? "" : "s");
}

}  // namespace

std::string formatProblem(const SkinProblem& problem) {
  std::string text = shown(problem.file);
  if (problem.line > 0) text += ':' + std::to_string(problem.line);
  text += problem.severity == Severity::Error ? ": error: " : ": warning: ";
  if (!problem.section.empty()) {
    text += '[' + shown(problem.section) + "] ";
    if (!problem.key.empty()) text += shown(problem.key) + ": ";
  }
  // The values in the message were shortened where they were put in.
  return text + printable(problem.message);
}

std::string problemSummary(const std::vector<SkinProblem>& problems) {
  const auto errors = static_cast<std::size_t>(
      std::count_if(problems.begin(), problems.end(),
                    [](const SkinProblem& p) { return p.severity == Severity::Error; }));
  return counted(errors, "error") + ", " + counted(problems.size() - errors, "warning");
}

bool hasErrors(const std::vector<SkinProblem>& problems) {
  return std::any_of(problems.begin(), problems.end(),
                     [](const SkinProblem& p) { return p.severity == Severity::Error; });
}

}  // namespace tavro
