/* product.h: the program's names as plain C macros, the one source of the words that the C++
   texts (texts.h), the Windows resource script and the installer script all show. UTF-8. */
#ifndef VENNALOOP_UI_PRODUCT_H
#define VENNALOOP_UI_PRODUCT_H

#define VENNALOOP_PRODUCT_NAME "Vennaloop"
#define VENNALOOP_AUTHOR "Rinne Nagisa"
#define VENNALOOP_PUBLISHER "Nagisa Loop Works"
#define VENNALOOP_COPYRIGHT "Copyright (C) 2025 Rinne Nagisa"
#define VENNALOOP_DESCRIPTION_JA "迷路ゲーム"

#endif
