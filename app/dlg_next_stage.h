// dlg_next_stage.h: the stage result (template 131): two message lines chosen by how the stage
// ended, in Japanese and in English, and four counters.
#pragma once

#include <QString>

#include "app/template_dialog.h"

namespace vennaloop {

/// Message lines by outcome index: 0 goal reached, 1 gave up, 2 hit points exhausted (UTF-8).
extern const char* const StageLine1[3];
extern const char* const StageLine2[3];

class CDlgNextStage : public TemplateDialog {
 public:
  explicit CDlgNextStage(QWidget* owner = nullptr);

  /// Takes both lines from the message tables. An index outside 0..2 leaves them as they are.
  void SetStageOutcome(int index);

  QString line1;
  QString line2;
  int elapsedCycles = 0;
  int skippedCycle = 0;
  int currentHitPoints = 0;
  int nextStageAliens = 0;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};

}  // namespace vennaloop
