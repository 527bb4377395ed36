int f_Lib64_cpp(void) { return 0; }
