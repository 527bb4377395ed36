int f_c_cpp(void) { return 0; }
