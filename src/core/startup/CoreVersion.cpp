#include "platform/runtime/ProgramInfo.h"
