#include "headless.h"

#include <utility>

namespace automaten {

HeadlessRun::HeadlessRun(HeadlessSetup setup) : sim_(view_, setup.keepHistory) {
  view_.onMessage = setup.onMessage;
  view_.tapeWidth = setup.width;
  sim_.SetLoopCheck(setup.loopCheck);
  sim_.SelectKind(setup.kind);
  if (setup.program) {
    view_.SetProgramText(*setup.program);
    view_.SetFieldText(Field::EBand, "");
  }
  if (setup.tape) view_.PutFieldText(Field::EBand, std::move(*setup.tape));
  sim_.StartOrStop();
}

RunOutcome HeadlessRun::Run(std::uint64_t ticks) {
  sim_.RunTicks(ticks);
  return sim_.Outcome();
}

void HeadlessRun::Restart(const std::string& tape) {
  view_.SetFieldText(Field::EBand, tape);
  sim_.Reset();
  sim_.StartOrStop();
}

bool HeadlessRun::Tick() {
  if (!view_.TimerEnabled()) return false;
  sim_.Tick();
  return true;
}

}  // namespace automaten
