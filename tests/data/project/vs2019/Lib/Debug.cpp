int f_Debug_cpp(void) { return 0; }
