// game_host.h: what the game asks of its window: the timer, repaints, the title overlay, the
// modal dialogs and the live modifier keys. The window, the tests and the benchmarks implement it.
#pragma once

namespace vennaloop {

/// What the stage result dialog shows.
struct StageResult {
  int outcome;  ///< OUTCOME_GOAL, OUTCOME_GAVE_UP or OUTCOME_HIT_POINTS_EXHAUSTED
  int elapsedCycles;
  int skippedCycle;
  int hitPoints;
  int nextStageAliens;
};

/// Outcome index of a stage result; it selects the dialog's message lines.
inline constexpr int OUTCOME_GOAL = 0;
inline constexpr int OUTCOME_GAVE_UP = 1;
inline constexpr int OUTCOME_HIT_POINTS_EXHAUSTED = 2;

/// Answers of RunStageResult.
inline constexpr int DIALOG_OK = 1;
inline constexpr int DIALOG_CANCEL = 2;
inline constexpr int DIALOG_NOT_SHOWN = -1;

class GameHost {
 public:
  virtual ~GameHost() = default;
  virtual void StartTimer(int periodMs) = 0;  // timer 1; replaces a running one
  virtual void StopTimer() = 0;
  virtual void RepaintView() = 0;  // invalidate the whole view and paint it now
  virtual bool TitleExists() = 0;
  virtual void RepaintTitle() = 0;  // invalidate the overlay and paint it now
  virtual void CloseTitle() = 0;    // minimise, then destroy the overlay's window
  virtual int RunStageResult(const StageResult& result) = 0;  // 1 OK, 2 Cancel, -1 not shown
  virtual void ShowAbout() = 0;
  virtual void ShowAuthorProfile() = 0;
  virtual bool IsShiftDown() = 0;  // the live key state, read when asked
  virtual bool IsCtrlDown() = 0;
};

}  // namespace vennaloop
