// template_dialog.h: the base of the program's dialogs: built from a template, run modally over
// its owner's window, loading its fields into the controls when shown and saving them on OK.
#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "app/dialog_template.h"

namespace vennaloop {

class DataExchange;

class TemplateDialog : public QDialog {
 public:
  /// Builds the controls of `dialogTemplate`. The owner is the window of `owner` (the main
  /// frame when a widget inside it is given); null leaves the dialog without one.
  TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* owner);

  /// Runs the dialog: loads the fields, disables the owner, centres over it and waits for OK
  /// (1) or Cancel (2, also Esc and the close box). The owner is enabled again afterwards.
  int DoModal();

  /// The first control with `id`, or null.
  QWidget* GetDlgItem(int id) const;
  /// The controls in template order.
  const std::vector<QWidget*>& Controls() const { return controls_; }
  const DialogTemplate& Template() const { return template_; }

  /// Loads the fields into the controls (false) or saves them back (true); false when a
  /// control's text could not be read back.
  bool UpdateData(bool saveAndValidate);

  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }

 protected:
  /// Lists the fields with their controls; the base exchanges nothing.
  virtual void DoDataExchange(DataExchange& exchange);
  /// OK (id 1, Enter): saves the fields and ends with 1; stays open if saving failed.
  virtual void OnOK();
  /// Cancel (Esc, the close box, id 2): ends with 2 and saves nothing.
  virtual void OnCancel();

  void showEvent(QShowEvent* event) override;

 private:
  const DialogTemplate& template_;
  QPointer<QWidget> owner_;
  std::vector<QWidget*> controls_;
};

}  // namespace vennaloop
