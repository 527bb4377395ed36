int f_Extra_cpp(void) { return 0; }
