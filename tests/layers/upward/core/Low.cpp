#include "core/Low.h"
#include "ui/High.h"
