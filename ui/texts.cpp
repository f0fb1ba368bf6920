// texts.cpp: the version and the stage result's messages.
#include "ui/texts.h"

namespace vennaloop {

const char* AppVersion() {
  return VENNALOOP_VERSION;
}

StageMessage StageMessageFor(Outcome outcome) {
  switch (outcome) {
    case Outcome::GoalReached:
      return {"ようやった。さあ、次行こうか！", "You Win! Let's Go To Next Stage."};
    case Outcome::GaveUp:
      return {"あきらめるな。まだまだだ！", "Neverrrr, Give Up! Go To Next."};
    case Outcome::HitPointsExhausted:
      return {"遊びの時間は終わらない。", "Playing Time Never Ends."};
  }
  return {"", ""};
}

}  // namespace vennaloop
