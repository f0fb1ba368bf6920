// ui_dump.cpp: prints the shared interface data as JSON, for the build's font subsetter.
#include <cstdio>

#include "web/ui_json.h"

int main() {
  std::fputs(vennaloop::web::InterfaceJson().c_str(), stdout);
  std::fputc('\n', stdout);
  return 0;
}
