// scripted_host.h: a GameHost for tests. It records every call in order and can run test code
// inside a call; a dialog it is asked to open stays open until the test closes it through
// Game::DialogClosed, as a player would.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "game/game_host.h"

namespace vennaloop::testing {

class ScriptedHost : public GameHost {
 public:
  /// Actions in call order: "StartTimer(16)", "StopTimer", "RepaintView", "RepaintTitle",
  /// "CloseTitle", "OpenStageResult", "OpenAbout", "OpenAuthorProfile". Queries are not logged.
  std::vector<std::string> calls;
  /// What every stage result dialog was opened with.
  std::vector<StageResult> results;

  bool titleExists = true;
  bool shiftDown = false;
  bool ctrlDown = false;
  bool timerRunning = false;
  int timerPeriod = 0;
  int modifierQueries = 0;

  /// Run inside the call, after it has been recorded.
  std::function<void()> onRepaintView;
  std::function<void(const DialogRequest&)> onOpenDialog;

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
  void OpenDialog(const DialogRequest& request) override {
    switch (request.kind) {
      case DialogKind::StageResult:
        calls.push_back("OpenStageResult");
        results.push_back(request.result);
        break;
      case DialogKind::About:
        calls.push_back("OpenAbout");
        break;
      case DialogKind::AuthorProfile:
        calls.push_back("OpenAuthorProfile");
        break;
    }
    if (onOpenDialog) onOpenDialog(request);
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
