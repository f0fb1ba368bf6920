// faces.h: the type faces the program asks for by name, and the freely available faces that
// stand in for them on systems that lack them, nearest first.
#pragma once

#include <array>
#include <span>

namespace vennaloop {

inline constexpr char FACE_MINCHO[] = "MS P 明朝";        ///< the title's Japanese lines
inline constexpr char FACE_CENTURY[] = "Century";         ///< the title's Latin lines
inline constexpr char FACE_UI_GOTHIC[] = "MS UI Gothic";  ///< the about box
inline constexpr char FACE_SHELL_DLG[] = "MS Shell Dlg";  ///< the author and stage dialogs

struct FaceStandIn {
  const char* face;
  std::array<const char*, 3> standIns;  ///< installed faces to use instead; null ends the list
};

/// One entry for each face above.
std::span<const FaceStandIn> FaceStandIns();

}  // namespace vennaloop
