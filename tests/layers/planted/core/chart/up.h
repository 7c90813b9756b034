// The chart reaches up to the session, and the report and the chart use each other.
#include "chart/own.h"
#include "report/buffer.h"
#include "session/top.h"
