int f_util_cpp(void) { return 0; }
