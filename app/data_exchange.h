// data_exchange.h: copies a dialog's fields into its controls when it is shown (loading) and
// back from them on OK (saving), field by field in the order the dialog lists them.
#pragma once

#include <QString>

class QWidget;

namespace vennaloop {

class TemplateDialog;

class DataExchange {
 public:
  DataExchange(TemplateDialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

  bool IsSaving() const { return saving_; }
  /// False once a control's text could not be read back into its field.
  bool Succeeded() const { return failedControl_ == nullptr; }
  /// The control whose text could not be read back, if any.
  QWidget* FailedControl() const { return failedControl_; }

  /// A string field and the text of control `id`.
  void Text(int id, QString& value);
  /// An integer field, shown as a signed decimal ("%d") and parsed back when saving.
  void Text(int id, int& value);

 private:
  TemplateDialog& dialog_;
  bool saving_;
  QWidget* failedControl_ = nullptr;
};

}  // namespace vennaloop
