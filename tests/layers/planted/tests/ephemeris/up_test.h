// An engine test that reaches up to the chart.
#include "ephemeris/sky.h"
#include "support/scripted_dialogs.h"
#include "chart/chart_state.h"
