#include "system/arguments.h"

// Names are bytes here, whatever they hold.
Arguments programArguments(int argc, char** argv) {
  return {std::vector<std::string>(argv, argv + argc), {}};
}
