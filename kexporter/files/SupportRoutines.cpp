#include "SupportRoutines.h"

std::string intToText(int value) { return std::to_string(value); }
