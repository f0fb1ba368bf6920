// dlg_next_stage.cpp: the stage result and its message tables.
#include "app/dlg_next_stage.h"

#include "app/data_exchange.h"

namespace vennaloop {

const char* const StageLine1[3] = {
    "ようやった。さあ、次行こうか！",
    "あきらめるな。まだまだだ！",
    "遊びの時間は終わらない。",
};

const char* const StageLine2[3] = {
    "You Win! Let's Go To Next Stage.",
    "Neverrrr, Give Up! Go To Next.",
    "Playing Time Never Ends.",
};

CDlgNextStage::CDlgNextStage(QWidget* owner) : TemplateDialog(NextStageDialogTemplate(), owner) {}

void CDlgNextStage::SetStageOutcome(int index) {
  if (index < 0 || index > 2) return;  // the tables have three rows; keep out of other memory
  line1 = QString::fromUtf8(StageLine1[index]);
  line2 = QString::fromUtf8(StageLine2[index]);
}

void CDlgNextStage::DoDataExchange(DataExchange& exchange) {
  TemplateDialog::DoDataExchange(exchange);
  exchange.Text(IDC_STAGE_LINE1, line1);
  exchange.Text(IDC_STAGE_LINE2, line2);
  exchange.Text(IDC_ELAPSED_CYCLES, elapsedCycles);
  exchange.Text(IDC_SKIPPED_CYCLE, skippedCycle);
  exchange.Text(IDC_CURRENT_HP, currentHitPoints);
  exchange.Text(IDC_NEXT_STAGE_ALIENS, nextStageAliens);
}

}  // namespace vennaloop
