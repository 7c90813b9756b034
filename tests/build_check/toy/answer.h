inline int Answer() { return 42; }
