// data_exchange.cpp: text exchange between fields and controls.
#include "app/data_exchange.h"

#include "app/dialog_builder.h"
#include "app/template_dialog.h"

namespace vennaloop {

void DataExchange::Text(int id, QString& value) {
  QWidget* control = dialog_.GetDlgItem(id);
  if (!control || !Succeeded()) return;
  if (saving_)
    value = WindowText(control);
  else
    SetWindowText(control, value);
}

void DataExchange::Text(int id, int& value) {
  QWidget* control = dialog_.GetDlgItem(id);
  if (!control || !Succeeded()) return;
  if (!saving_) {
    SetWindowText(control, QString::number(value));
    return;
  }
  bool ok = false;
  const int parsed = WindowText(control).trimmed().toInt(&ok, 10);
  if (ok)
    value = parsed;
  else
    failedControl_ = control;  // the field keeps its value; the dialog stays open
}

}  // namespace vennaloop
