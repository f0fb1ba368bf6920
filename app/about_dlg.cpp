// about_dlg.cpp: the version box.
#include "app/about_dlg.h"

namespace vennaloop {

CAboutDlg::CAboutDlg(QWidget* owner) : TemplateDialog(AboutDialogTemplate(), owner) {}

}  // namespace vennaloop
