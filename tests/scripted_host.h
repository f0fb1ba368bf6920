// scripted_host.h: a GameHost for tests. It records every call in order, answers the stage
// result dialog as the test scripts it, and can run test code inside a call, as the nested
// message loop of a modal dialog would (for example another timer tick).
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/game_host.h"

namespace vennaloop::testing {

class ScriptedHost : public GameHost {
 public:
  /// Actions in call order: "StartTimer(16)", "StopTimer", "RepaintView", "RepaintTitle",
  /// "CloseTitle", "RunStageResult", "ShowAbout", "ShowAuthorProfile". Queries are not logged.
  std::vector<std::string> calls;
  /// What every RunStageResult was given.
  std::vector<StageResult> results;
  /// Answers of RunStageResult, taken from the front; DialogAnswer::Ok once it is empty.
  std::deque<DialogAnswer> answers;

  bool titleExists = true;
  bool shiftDown = false;
  bool ctrlDown = false;
  bool timerRunning = false;
  int timerPeriod = 0;
  int modifierQueries = 0;

  /// Run inside the call, after it has been recorded.
  std::function<void()> onRepaintView;
  std::function<void()> onStageResult;
  std::function<void()> onAbout;
  std::function<void()> onAuthorProfile;

  void StartTimer(int periodMs) override {
    calls.push_back("StartTimer(" + std::to_string(periodMs) + ")");
    timerRunning = true;
    timerPeriod = periodMs;
  }
  void StopTimer() override {
    calls.push_back("StopTimer");
    timerRunning = false;
  }
  void RepaintView() override {
    calls.push_back("RepaintView");
    if (onRepaintView) onRepaintView();
  }
  bool TitleExists() override { return titleExists; }
  void RepaintTitle() override { calls.push_back("RepaintTitle"); }
  void CloseTitle() override {
    calls.push_back("CloseTitle");
    titleExists = false;
  }
  DialogAnswer RunStageResult(const StageResult& result) override {
    calls.push_back("RunStageResult");
    results.push_back(result);
    if (onStageResult) onStageResult();
    if (answers.empty()) return DialogAnswer::Ok;
    const DialogAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowAbout() override {
    calls.push_back("ShowAbout");
    if (onAbout) onAbout();
  }
  void ShowAuthorProfile() override {
    calls.push_back("ShowAuthorProfile");
    if (onAuthorProfile) onAuthorProfile();
  }
  bool IsShiftDown() override {
    ++modifierQueries;
    return shiftDown;
  }
  bool IsCtrlDown() override {
    ++modifierQueries;
    return ctrlDown;
  }

  int CountOf(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  void ClearLog() {
    calls.clear();
    results.clear();
  }
};

}  // namespace vennaloop::testing
