// dialogs.cpp: the values of the three dialogs.
#include "app/dialogs.h"

#include "ui/texts.h"

namespace vennaloop {

AboutDialog::AboutDialog(QWidget* owner) : LayoutDialog(AboutDialogLayout(), owner) {}

AuthorDialog::AuthorDialog(QWidget* owner) : LayoutDialog(AuthorDialogLayout(), owner) {
  setValue(ControlValue::AuthorProfile, QString::fromUtf8(AuthorProfileText()));
}

StageResultDialog::StageResultDialog(const StageResult& result, QWidget* owner)
    : LayoutDialog(StageResultDialogLayout(), owner) {
  const StageMessage message = StageMessageFor(result.outcome);
  setValue(ControlValue::StageLine1, QString::fromUtf8(message.line1));
  setValue(ControlValue::StageLine2, QString::fromUtf8(message.line2));
  setValue(ControlValue::ElapsedCycles, QString::number(result.elapsedCycles));
  setValue(ControlValue::SkippedCycle, QString::number(result.skippedCycle));
  setValue(ControlValue::HitPoints, QString::number(result.hitPoints));
  setValue(ControlValue::NextStageAliens, QString::number(result.nextStageAliens));
}

}  // namespace vennaloop
