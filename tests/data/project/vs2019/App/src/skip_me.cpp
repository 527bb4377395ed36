int f_skip_me_cpp(void) { return 0; }
