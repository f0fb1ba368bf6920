// fonts.h: the face names the program asks for ("MS P 明朝", "Century", "MS UI Gothic",
// "MS Shell Dlg"), mapped to faces a Debian desktop has, and fonts sized by their character cell.
#pragma once

#include <QFont>
#include <QString>

namespace vennaloop {

inline constexpr char kFaceMincho[] = "MS P 明朝";
inline constexpr char kFaceCentury[] = "Century";
inline constexpr char kFaceUiGothic[] = "MS UI Gothic";
inline constexpr char kFaceShellDlg[] = "MS Shell Dlg";
inline constexpr char kFaceShellDlg2[] = "MS Shell Dlg 2";

/// Registers the installed faces that stand in for the program's face names. Safe to call more
/// than once; the first call does the work.
void InstallFontSubstitutions();

/// A font of `face` whose character cell (ascent plus descent) is at most `cellHeight` pixels
/// and as close to it as the face allows, squeezed or widened so that its average character
/// width is `averageWidth` pixels; 0 keeps the face's own proportions.
QFont CellSizedFont(const QString& face, int cellHeight, int averageWidth, bool italic);

}  // namespace vennaloop
