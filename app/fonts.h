// fonts.h: the program's face names mapped to faces a Debian desktop has, and fonts sized by
// their character cell, as the title's items give them.
#pragma once

#include <QFont>
#include <QString>

namespace vennaloop {

/// Registers the installed faces that stand in for the program's face names. Safe to call more
/// than once; the first call does the work.
void InstallFontSubstitutions();

/// A font of `face` whose character cell (ascent plus descent) is at most `cellHeight` pixels
/// and as close to it as the face allows, squeezed or widened so that its average character
/// width is `averageWidth` pixels; 0 keeps the face's own proportions.
QFont CellSizedFont(const QString& face, int cellHeight, int averageWidth, bool italic);

}  // namespace vennaloop
