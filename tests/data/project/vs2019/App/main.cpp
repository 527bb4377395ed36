int f_main_cpp(void) { return 0; }
