// print_help.cpp: prints the key help for the docs the build makes from it.
//
//   vennaloop_help markdown | man | text
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/help.h"

int main(int argc, char** argv) {
  std::string out;
  if (argc == 2 && std::strcmp(argv[1], "markdown") == 0) out = vennaloop::KeyHelpMarkdown();
  if (argc == 2 && std::strcmp(argv[1], "man") == 0) out = vennaloop::KeyHelpManSection();
  if (argc == 2 && std::strcmp(argv[1], "text") == 0) out = vennaloop::KeyHelpPlainText();
  if (out.empty()) {
    std::fprintf(stderr, "usage: %s markdown | man | text\n", argv[0]);
    return 2;
  }
  std::fputs(out.c_str(), stdout);
  return 0;
}
