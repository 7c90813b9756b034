// A folder at the bottom that names a folder outside the order.
#include "gadgets/gadget.h"
