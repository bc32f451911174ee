// Compiled into every library and program of the project with that target's
// own options: the build stops here unless float and double arithmetic is
// done at its own precision (SSE2 scalar math). With x87 math, temporaries
// keep 80 bits, so fades, gradient steps and layout scaling would compute
// differently on the 32-bit build, and a fade loop whose step is too small to
// change the value would run a million times.
#include <cfloat>

#if defined(_MSC_VER) && !defined(__clang__)
#if defined(_M_IX86)
static_assert(_M_IX86_FP >= 2, "32-bit builds need SSE2 floating point: compile with /arch:SSE2 (the default)");
#endif
#else
static_assert(FLT_EVAL_METHOD == 0,
              "float arithmetic must not use excess precision: on 32-bit x86 compile with -msse2 -mfpmath=sse");
#endif
