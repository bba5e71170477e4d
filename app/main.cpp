#include "app/program.h"

int main(int argc, char** argv) {
  return qingyou::RunProgram(argc, argv);
}
