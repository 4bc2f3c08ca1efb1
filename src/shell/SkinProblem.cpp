#include "shell/SkinProblem.h"

#include <algorithm>

namespace tavro {
namespace {

std::string counted(std::size_t count, const char* word) {
  return std::to_string(count) + ' ' + word + (count == 1 ? "" : "s");
}

}  // namespace

std::string formatProblem(const SkinProblem& problem) {
  std::string text = problem.file;
  if (problem.line > 0) text += ':' + std::to_string(problem.line);
  text += problem.severity == Severity::Error ? ": error: " : ": warning: ";
  if (!problem.section.empty()) {
    text += '[' + problem.section + "] ";
    if (!problem.key.empty()) text += problem.key + ": ";
  }
  return text + problem.message;
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
