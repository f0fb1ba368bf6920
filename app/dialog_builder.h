// dialog_builder.h: turns a dialog template into Qt widgets: dialog units become pixels of the
// dialog font, and window and control styles become widget properties.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>
#include <cstdint>
#include <vector>

#include "app/dialog_template.h"

class QDialog;
class QWidget;

namespace vennaloop {

/// Pixels per 4 horizontal and per 8 vertical dialog units.
struct DialogBaseUnits {
  int x;  ///< average width of the 52 letters A-Z and a-z, rounded
  int y;  ///< the font's height, ascent plus descent
};

/// number * numerator / denominator, rounded half away from zero (0 if denominator is 0).
int MulDiv(int number, int numerator, int denominator);

DialogBaseUnits BaseUnitsOf(const QFont& font);

/// A rectangle in dialog units as pixels; each of x, y, width and height is converted alone.
QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base);

/// The template's font: its face at its point size and weight when it has DS_SETFONT (with
/// DS_SHELLFONT, "MS Shell Dlg" means "MS Shell Dlg 2"), else the application font.
QFont DialogFontOf(const DialogTemplate& dialogTemplate);

/// Qt's alignment of an edit control's text: ES_CENTER, ES_RIGHT or WS_EX_RIGHT, else left.
Qt::Alignment EditAlignment(std::uint32_t style, std::uint32_t exStyle);

/// A static control's text with its mnemonic marks taken out ("&&" stays one "&").
QString StripMnemonics(const QString& text);

/// Sets the dialog's caption, window flags, font and fixed client size from the template and
/// creates its controls as children. Returns the controls in template order. The controls with
/// WS_TABSTOP take the tab order of the template.
std::vector<QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);

/// A control's text as a window text: an edit of several lines keeps its lines ended by CR LF.
QString WindowText(const QWidget* control);
void SetWindowText(QWidget* control, const QString& text);

}  // namespace vennaloop
