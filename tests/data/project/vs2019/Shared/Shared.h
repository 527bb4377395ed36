int f_Shared_h(void) { return 0; }
