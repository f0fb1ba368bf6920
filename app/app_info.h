// app_info.h: the program's names, version and credit lines, shared by the application object,
// the title overlay and the about box. All texts are UTF-8.
#pragma once

namespace vennaloop {

inline constexpr char kAppName[] = "Vennaloop";           ///< also the frame's caption
inline constexpr char kAppVersion[] = VENNALOOP_VERSION;  ///< the project's version, from CMake
/// The desktop entry's name without ".desktop", from CMake.
inline constexpr char kDesktopFileName[] = VENNALOOP_APP_ID;
/// Where the program's settings would live; it reads and writes none.
inline constexpr char kRegistryKey[] =
    "アプリケーション ウィザードで生成されたローカル アプリケーション";
inline constexpr char kAuthorCredit[] = "Programmed by 凪沙 輪音 (Rinne Nagisa)";
inline constexpr char kCopyright[] = "Copyright (C) 2025 Rinne Nagisa";

}  // namespace vennaloop
