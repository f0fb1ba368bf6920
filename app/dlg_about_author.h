// dlg_about_author.h: the author profile (template 130): a fixed text of 261 lines in a
// scrolling read-only box.
#pragma once

#include <QString>

#include "app/template_dialog.h"

namespace vennaloop {

/// The profile as stored in the program: UTF-8, one "\n" after each line.
extern const char kAuthorProfileUtf8[];

class CDlgAboutAuthor : public TemplateDialog {
 public:
  /// Sets the profile text: the stored UTF-8 decoded as UTF-8, whatever the system's locale, with
  /// each of its lines ended by CR LF as an edit box keeps them.
  explicit CDlgAboutAuthor(QWidget* owner = nullptr);

  QString profileText;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};

}  // namespace vennaloop
