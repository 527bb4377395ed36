int f_lib_cpp(void) { return 0; }
