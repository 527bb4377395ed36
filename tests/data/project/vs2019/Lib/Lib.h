int f_Lib_h(void) { return 0; }
