int f_App_h(void) { return 0; }
