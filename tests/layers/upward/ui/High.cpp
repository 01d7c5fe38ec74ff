#include "ui/High.h"
#include "core/Low.h"
