int f_Spaced_Name_cpp(void) { return 0; }
