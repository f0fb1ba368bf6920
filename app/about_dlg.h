// about_dlg.h: the version box (template 100), with the program icon, the version and the
// copyright line; it exchanges no data.
#pragma once

#include "app/template_dialog.h"

namespace vennaloop {

class CAboutDlg : public TemplateDialog {
 public:
  explicit CAboutDlg(QWidget* owner = nullptr);
};

}  // namespace vennaloop
