// The floating-point control word for the whole run: all six exceptions
// masked, 64-bit extended precision, rounding to nearest (x87 word 0x133F).
// On x86-64 the SSE unit does ordinary arithmetic and masks every exception
// by default; the x87 word governs long double and x87 code in libraries.

#include "SoundSystem.h"

#if defined(_MSC_VER)
#include <float.h>
#endif

namespace tavro {

namespace {

bool saved = false;
unsigned int savedWord = 0;

#if defined(_MSC_VER)
constexpr bool kHasControlWord = true;
unsigned int readWord() {
  return _controlfp(0, 0);
}
// MSVC's _controlfp cannot set the precision on x64; the exception masks are
// what matters, so only those are set.
void writeMasked() {
  _controlfp(_MCW_EM, _MCW_EM);
}
void writeWord(unsigned int word) {
  _controlfp(word, _MCW_EM | _MCW_RC);
}
#elif (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
constexpr bool kHasControlWord = true;
unsigned int readWord() {
  unsigned short word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}
void writeWord(unsigned int value) {
  unsigned short word = static_cast<unsigned short>(value);
  __asm__ __volatile__("fldcw %0" : : "m"(word));
}
void writeMasked() {
  writeWord(0x133F);
}
#else
// No x87 unit: floating-point exceptions do not trap by default, nothing to do.
constexpr bool kHasControlWord = false;
unsigned int readWord() {
  return 0;
}
void writeWord(unsigned int) {}
void writeMasked() {}
#endif

}  // namespace

void maskFloatingPointExceptions() {
  if (!kHasControlWord) {
    return;
  }
  if (!saved) {
    savedWord = readWord();
    saved = true;
  }
  writeMasked();
}

void restoreFloatingPointControl() {
  if (!kHasControlWord || !saved) {
    return;
  }
  writeWord(savedWord);
  saved = false;
}

unsigned int floatingPointControlWord() {
  return readWord();
}

}  // namespace tavro
