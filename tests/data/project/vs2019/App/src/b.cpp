int f_b_cpp(void) { return 0; }
