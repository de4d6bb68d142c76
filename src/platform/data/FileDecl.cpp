#include "platform/data/FileDecl.h"
