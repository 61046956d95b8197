// The step-rate loop of bench/steprate.h in WebAssembly, for bench/web_bench.js.
#include <emscripten/bind.h>

#include "bench/steprate.h"

EMSCRIPTEN_BINDINGS(automaten_steprate) { emscripten::function("stepRate", &automaten::StepRate); }
