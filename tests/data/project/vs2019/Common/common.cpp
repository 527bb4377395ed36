int f_common_cpp(void) { return 0; }
