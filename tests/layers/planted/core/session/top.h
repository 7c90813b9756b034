// The top may use everything.
#include "chart/up.h"
#include "report/buffer.h"
