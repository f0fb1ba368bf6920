// template_dialog.cpp: building, running and data exchange of the program's dialogs.
#include "app/template_dialog.h"

#include <QAbstractButton>

#include "app/data_exchange.h"
#include "app/dialog_builder.h"

namespace vennaloop {

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* owner)
    : QDialog(owner ? owner->window() : nullptr),
      template_(dialogTemplate),
      owner_(owner ? owner->window() : nullptr) {
  controls_ = BuildDialog(*this, template_);
  for (QWidget* control : controls_) {
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button) continue;
    const int id = control->property("controlId").toInt();
    if (id == IDOK) connect(button, &QAbstractButton::clicked, this, [this] { OnOK(); });
    if (id == IDCANCEL) connect(button, &QAbstractButton::clicked, this, [this] { OnCancel(); });
  }
}

QWidget* TemplateDialog::GetDlgItem(int id) const {
  for (QWidget* control : controls_)
    if (control->property("controlId").toInt() == id) return control;
  return nullptr;
}

bool TemplateDialog::UpdateData(bool saveAndValidate) {
  DataExchange exchange(*this, saveAndValidate);
  DoDataExchange(exchange);
  if (!exchange.Succeeded()) exchange.FailedControl()->setFocus();
  return exchange.Succeeded();
}

void TemplateDialog::DoDataExchange(DataExchange&) {}

void TemplateDialog::OnOK() {
  if (UpdateData(true)) done(IDOK);
}

void TemplateDialog::OnCancel() {
  done(IDCANCEL);
}

void TemplateDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The focus starts on the first control of the tab order, and the dialog takes the keyboard as
  // it appears, with or without a window manager to hand it over.
  for (QWidget* control : controls_) {
    if (control->isEnabled() && (control->focusPolicy() & Qt::TabFocus)) {
      control->setFocus(Qt::TabFocusReason);
      break;
    }
  }
  activateWindow();
}

int TemplateDialog::DoModal() {
  UpdateData(false);
  setWindowModality(Qt::ApplicationModal);
  const bool ownerWasEnabled = owner_ && owner_->isEnabled();
  if (ownerWasEnabled) {
    owner_->setEnabled(false);
    setEnabled(true);  // a window child is not held by its disabled owner once enabled itself
  }
  const int result = exec();
  if (ownerWasEnabled && owner_) owner_->setEnabled(true);
  return result == IDOK ? IDOK : IDCANCEL;
}

}  // namespace vennaloop
