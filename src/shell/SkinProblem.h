#pragma once
// One finding of the skin checker, and the text it is printed as.

#include <string>
#include <vector>

namespace tavro {

enum class Severity {
  Error,    // stops a load, shows the missing-image marker, or ends the program
  Warning,  // loads, but likely not as the skin's author meant
};

struct SkinProblem {
  Severity severity = Severity::Error;
  std::string file;     // Config.ini, or the sound file the problem is about
  int line = 0;         // 0: no line (a key left at its default, a sound file)
  std::string section;  // empty when the problem belongs to no key
  std::string key;      // empty when it belongs to a whole section
  std::string message;
};

// "FILE:LINE: error: [Section] Key: message", the parts without a value left
// out, on one line that is safe to print: file, section and key are shown()
// and control characters anywhere in it are escaped (PrintableText.h). Values
// from a file that the message quotes are to be shown() where they are put in.
std::string formatProblem(const SkinProblem& problem);

// "2 errors, 3 warnings" (with "1 error", "1 warning" for one).
std::string problemSummary(const std::vector<SkinProblem>& problems);

bool hasErrors(const std::vector<SkinProblem>& problems);

}  // namespace tavro
