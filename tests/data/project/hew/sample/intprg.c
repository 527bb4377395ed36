void INT_NMI(void) {}
