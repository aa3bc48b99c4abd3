// Moved: the programs' shared message numbers and names.
#pragma once
#include "common/program_messages.h"
