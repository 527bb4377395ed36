int f_a_cpp(void) { return 0; }
