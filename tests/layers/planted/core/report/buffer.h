// The report reaches up to the chart.
#include "text/unknown.h"
#include "chart/own.h"
