#include "cutlist/cutlist_report.h"

#include <iostream>

int main(int argc, char** argv) {
  return hm::runCutListCommand(hm::commandArgs(argc, argv), std::cout, std::cerr);
}
