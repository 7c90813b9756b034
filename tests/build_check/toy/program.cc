#include "answer.h"
int main() { return Answer() == 42 ? 0 : 1; }
