#include "headless.h"

namespace automaten {

HeadlessRun::HeadlessRun(const HeadlessSetup& setup) {
  view_.onMessage = setup.onMessage;
  sim_.KeepHistory(setup.keepHistory);
  sim_.SetLoopCheck(setup.loopCheck);
  sim_.SetTapeWidth(setup.width);
  sim_.SelectKind(setup.kind);
  if (setup.program) {
    view_.SetProgramText(*setup.program);
    view_.SetFieldText(Field::EBand, "");
  }
  if (setup.tape) view_.SetFieldText(Field::EBand, *setup.tape);
  sim_.StartOrStop();
}

RunOutcome HeadlessRun::Run(std::uint64_t ticks) {
  sim_.RunTicks(ticks);
  return sim_.Outcome();
}

bool HeadlessRun::Tick() {
  if (!sim_.Running()) return false;
  sim_.Tick();
  return true;
}

}  // namespace automaten
