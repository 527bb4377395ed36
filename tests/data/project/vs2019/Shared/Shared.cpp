int f_Shared_cpp(void) { return 0; }
